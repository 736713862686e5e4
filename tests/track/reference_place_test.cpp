// Where each name that refers to an entry was written: its file line and the
// byte span of the name on that line, in the file itself and, through an
// import with an alias, in the imported file after renaming.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "docformat/text.h"
#include "lyre/track.h"

namespace lyre {
namespace {

// "{what} {name} {line}:{begin}-{end}" for every reference of the document,
// in record order.
std::vector<std::string> reference_dump(const TrackDocument& document) {
  std::vector<std::string> out;
  auto add = [&](std::string_view what, std::string_view name, docformat::NamePlace at) {
    out.push_back(cat(what, " ", name, " ", std::to_string(at.line), ":", std::to_string(at.begin),
                      "-", std::to_string(at.end())));
  };
  auto add_jump = [&](const Jump& jump) {
    add("target", jump.target, jump.target_at);
    if (jump.transition) {
      add("via", jump.transition->motif, jump.transition->motif_at);
      add("via-sound", jump.transition->sound, jump.transition->sound_at);
    }
  };
  for (const auto& entry : document.sections.songs.entries) {
    const Song& song = entry.value;
    for (std::size_t i = 0; i < song.layers.size(); ++i)
      add("layer", song.layers[i], song.layers_at[i]);
    for (const Jump& jump : song.jumps) add_jump(jump);
    for (const JumpAt& jump : song.jump_ats) {
      if (const auto* marker = std::get_if<std::string>(&jump.at))
        add("marker", *marker, jump.marker_at);
      add_jump(jump);
    }
  }
  for (const auto& entry : document.sections.layers.entries) {
    const Layer& layer = entry.value;
    if (const auto& tuning = layer.details.get().tuning) {
      add("layer-tuning", *tuning, layer.details.get().tuning_at);
    }
    for (const Effect& effect : layer.effects) {
      if (const auto* reverb = std::get_if<Effect::NamedReverb>(&effect.kind)) {
        add("reverb", reverb->preset, reverb->preset_at);
      }
    }
    for (const Note& note : layer.notes) add("note-sound", layer.sound_of(note), note.sound_at);
    for (const MotifInstance& motif : layer.motifs) {
      add("motif", motif.motif, motif.motif_at);
      add("motif-sound", motif.sound, motif.sound_at);
      if (motif.tuning) add("motif-tuning", *motif.tuning, motif.tuning_at);
    }
    for (const SubtrackInstance& subtrack : layer.subtracks) {
      add("subtrack", subtrack.layer, subtrack.layer_at);
      if (subtrack.sound) add("subtrack-sound", *subtrack.sound, subtrack.sound_at);
      if (subtrack.tuning) add("subtrack-tuning", *subtrack.tuning, subtrack.tuning_at);
    }
  }
  for (const auto& entry : document.sections.sounds.entries) {
    for (const Harmonic& harmonic : entry.value.harmonics) {
      add("source", harmonic.source, harmonic.source_at);
    }
  }
  return out;
}

// Every kind of reference once, indented or spaced so that no span starts
// where a careless count would put it.
constexpr std::string_view kTrack =
    "# Songs\n"                                    // 1
    "## main\n"                                    // 2
    "@layer  lead\n"                               // 3
    "@marker 0 top\n"                              // 4
    "  @jump-at top chorus via riff sound harp\n"  // 5
    "@jump verse 2\n"                              // 6
    "# Layers\n"                                   // 7
    "## lead\n"                                    // 8
    "@tuning just\n"                               // 9
    "@effect reverb hall\n"                        // 10
    "harp 0 60 1\n"                                // 11
    "motif riff 0 bell tuning just\n"              // 12
    "subtrack pad 4 organ tuning mean\n"           // 13
    "# Sounds\n"                                   // 14
    "## harp\n"                                    // 15
    "sinee@2 1\n"                                  // 16
    "wave shape 0.5\n";                            // 17

TEST(ReferencePlace, IsTheNameAsWrittenOnItsFileLine) {
  auto document = parse_track(kTrack);
  ASSERT_TRUE(document.has_value()) << document.error().text();
  const std::vector<std::string> expected = {
      "layer lead 3:8-12",
      "target verse 6:6-11",
      "marker top 5:11-14",
      "target chorus 5:15-21",
      "via riff 5:26-30",
      "via-sound harp 5:37-41",
      "layer-tuning just 9:8-12",
      "reverb hall 10:15-19",
      "note-sound harp 11:0-4",
      "motif riff 12:6-10",
      "motif-sound bell 12:13-17",
      "motif-tuning just 12:25-29",
      "subtrack pad 13:9-12",
      "subtrack-sound organ 13:15-20",
      "subtrack-tuning mean 13:28-32",
      "source sinee 16:0-5",
      "source shape 17:5-10",
  };
  EXPECT_EQ(reference_dump(*document), expected);
}

TEST(ReferencePlace, ThroughAnAliasedImportIsInTheImportedFileAfterRenaming) {
  // The importing file defines `lead` and `harp` too, so the imported ones
  // are renamed; their places stay where the imported file wrote them.
  auto document = parse_track(
      "@import lib.track as lib\n"
      "# Layers\n"
      "## lead\n"
      "harp 0 60 1\n"
      "# Sounds\n"
      "## harp\n"
      "sine 1\n");
  ASSERT_TRUE(document.has_value()) << document.error().text();
  const SourceReader read = [](std::string_view path) -> std::expected<std::string, ParseError> {
    if (path.ends_with("lib.track")) return std::string(kTrack);
    return std::unexpected(ParseError::line(0, "no such file"));
  };
  ASSERT_TRUE(resolve_imports(*document, std::string("."), false, read).has_value());
  std::vector<std::string> dump = reference_dump(*document);
  const std::vector<std::string> expected_imported = {
      "layer lib::lead 3:8-12",        "target verse 6:6-11",      "marker top 5:11-14",
      "target chorus 5:15-21",         "via riff 5:26-30",         "via-sound lib::harp 5:37-41",
      "note-sound harp 4:0-4",         "layer-tuning just 9:8-12", "reverb hall 10:15-19",
      "note-sound lib::harp 11:0-4",   "motif riff 12:6-10",       "motif-sound bell 12:13-17",
      "motif-tuning just 12:25-29",    "subtrack pad 13:9-12",     "subtrack-sound organ 13:15-20",
      "subtrack-tuning mean 13:28-32", "source sine 7:0-4",        "source sinee 16:0-5",
      "source shape 17:5-10",
  };
  EXPECT_EQ(dump, expected_imported);
  const auto* imported = document->sections.layers.find("lib::lead");
  ASSERT_NE(imported, nullptr);
  EXPECT_EQ(imported->origin.value_or("").ends_with("lib.track"), true);
  EXPECT_EQ(imported->heading, 8u);
  EXPECT_EQ(imported->line, 9u);
}

TEST(ReferencePlace, EntriesKnowTheirHeadingAndFirstBodyLine) {
  auto document = parse_track(kTrack);
  ASSERT_TRUE(document.has_value());
  const auto& sound = document->sections.sounds.entries.at(0);
  EXPECT_EQ(sound.heading, 15u);
  EXPECT_EQ(sound.name_column, 3u);
  EXPECT_EQ(sound.line, 16u);
}

TEST(NamePlace, CutsSpansTheFieldsCannotHoldShort) {
  const std::string line(20'000'000, 'x');
  const auto far =
      docformat::NamePlace::of(std::string_view(line).substr(19'999'000, 300), line, 7);
  EXPECT_EQ(far.line, 7u);
  EXPECT_EQ(far.begin, 0xFFFFFFu);
  EXPECT_EQ(far.length, 255u);
  // A token that is not a slice of the line stands at its start.
  EXPECT_EQ(docformat::NamePlace::of("elsewhere", "line", 2).begin, 0u);
}

}  // namespace
}  // namespace lyre
