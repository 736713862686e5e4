// Inputs built to break the programs: deep nesting, long chains and cycles,
// huge lines and tokens, odd bytes and odd files. Each case is generated when
// a test asks for it, never committed, so every program meets the same ones.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checker/temp_tree_test_support.h"
#include "docformat/text.h"

namespace lyre::test_support {

struct HostileInput {
  std::vector<TreeItem> files;
  std::vector<std::string> args;
};

struct HostileCase {
  const char* name;
  HostileInput (*make)();
};

inline constexpr int kSubtrackChainLength = 1000000;
inline constexpr int kImportChainLength = 2000;
inline constexpr std::size_t kHugeLineBytes = 50 * 1024 * 1024;
inline constexpr std::size_t kHugeTokenBytes = 10 * 1024 * 1024;

inline std::string repeat(std::string_view piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// One file, checked alone.
inline HostileInput one_file(std::string path, std::string text) {
  std::vector<std::string> args{path};
  return {{file(std::move(path), std::move(text))}, std::move(args)};
}

namespace hostile_detail {

inline HostileInput deep_headers() {
  std::string text = "# Songs\n## s\n";
  for (int level = 3; level <= 3000; ++level) text += std::string(level, '#') + " deeper\nline\n";
  text += repeat("text under the deepest header\n", 100000);
  return one_file("deep.track", std::move(text));
}

inline HostileInput subtrack_chain() {
  std::string text = "# Songs\n## s\n@layer l0\n# Layers\n";
  text.reserve(static_cast<std::size_t>(kSubtrackChainLength) * 28);
  for (int i = 0; i < kSubtrackChainLength; ++i) {
    text += cat("## l", std::to_string(i), "\nsubtrack l", std::to_string(i + 1), " 0\n");
  }
  text += cat("## l", std::to_string(kSubtrackChainLength), "\nharp 0 1 1\n");
  return one_file("chain.track", std::move(text));
}

inline HostileInput import_chains_cycles_and_repeats() {
  std::vector<TreeItem> files;
  for (int i = 0; i < kImportChainLength; ++i) {
    files.push_back(file(cat("f", std::to_string(i), ".track"),
                         cat("@import f", std::to_string(i + 1), ".track\n# Sounds\n## s",
                             std::to_string(i), "\n")));
  }
  files.push_back(
      file(cat("f", std::to_string(kImportChainLength), ".track"), "@import f0.track\n"));
  files.push_back(file("self.track", "@import self.track\n# Sounds\n## own\n"));
  files.push_back(file("many.track", repeat("@import self.track\n", 10000)));
  return {std::move(files), {"f0.track", "self.track", "many.track"}};
}

inline const std::string kSongWithLayer = "# Songs\n## s\n@layer l\n# Layers\n## l\n";

}  // namespace hostile_detail

// Every case, the single files first and in the order the verdict tests
// group them.
inline const std::vector<HostileCase>& hostile_cases() {
  using namespace hostile_detail;
  static const std::vector<HostileCase> cases = {
      {"deep_headers", deep_headers},
      {"subtrack_chain", subtrack_chain},
      {"layer_cycle",
       [] {
         return one_file("cycle.track",
                         "# Songs\n## s\n@layer a\n# Layers\n## a\nsubtrack b 0\nharp 0 1 1\n## "
                         "b\nsubtrack a 0\n");
       }},
      {"tuning_at_limit", [] { return one_file("a.track", "# Tunings\n## t\nequal 65536\n"); }},
      {"tuning_over_limit", [] { return one_file("b.track", "# Tunings\n## t\nequal 65537\n"); }},
      {"tuning_max_u64",
       [] { return one_file("c.track", "# Tunings\n## t\nequal 18446744073709551615\n"); }},
      {"tuning_over_u64",
       [] { return one_file("d.track", "# Tunings\n## t\nequal 18446744073709551616\n"); }},
      {"many_tunings",
       [] { return one_file("e.track", "# Tunings\n" + repeat("## t\nequal 65536\n", 100000)); }},
      {"huge_line", [] { return one_file("line.track", std::string(kHugeLineBytes, 'p') + "\n"); }},
      {"many_directives",
       [] {
         return one_file("directives.track", kSongWithLayer + repeat("@mute 1 ", 1000000) + "\n");
       }},
      {"huge_token",
       [] {
         return one_file("token.track",
                         kSongWithLayer + "piano " + std::string(kHugeTokenBytes, 'x') + " 60 1\n");
       }},
      {"nul_bytes",
       [] {
         return one_file("nul.track", std::string("prose\0here\n# Sounds\n## a\0b\nsine 1\n", 33));
       }},
      {"invalid_utf8_start", [] { return one_file("start.track", "\xC3(# Sounds\n"); }},
      {"surrogate_in_utf8", [] { return one_file("middle.track", "# Sounds\n\xED\xA0\x80\n"); }},
      {"truncated_utf8_end", [] { return one_file("end.track", "# Sounds\n## a\n\xF0\x9F\x8E"); }},
      {"cr_line_ends", [] { return one_file("cr.track", "# Sounds\r## a\rsine 1\r"); }},
      {"crlf_line_ends", [] { return one_file("crlf.track", "# Sounds\r\n## a\r\nsine 1\r\n"); }},
      {"many_bare_marks", [] { return one_file("marks.track", repeat("#\n", 100000)); }},
      {"million_marks",
       [] { return one_file("deepmark.track", std::string(1000000, '#') + "\n"); }},
      {"import_chains_cycles_and_repeats", import_chains_cycles_and_repeats},
      {"odd_files_and_trees",
       [] {
         return HostileInput{{file("tree/a/x.track", ""), symlink("tree/a/up", ".."),
                              symlink("tree/a/top", "../.."),
                              symlink("tree/dangling.track", "nowhere"), fifo("tree/pipe.track")},
                             {"tree", "/dev/null"}};
       }},
  };
  return cases;
}

// The case called `name`; an unknown name is a mistake in the test and
// gives no files and no arguments.
inline HostileInput hostile_input(std::string_view name) {
  const auto& cases = hostile_cases();
  const auto found = std::find_if(cases.begin(), cases.end(),
                                  [&](const HostileCase& c) { return c.name == name; });
  return found == cases.end() ? HostileInput{} : found->make();
}

// The cases' files and arguments together, in the order given.
inline HostileInput hostile_inputs(std::initializer_list<std::string_view> names) {
  HostileInput all;
  for (const std::string_view name : names) {
    HostileInput one = hostile_input(name);
    for (TreeItem& item : one.files) all.files.push_back(std::move(item));
    for (std::string& arg : one.args) all.args.push_back(std::move(arg));
  }
  return all;
}

// The text of a case that is one regular file checked alone.
inline std::optional<std::string> single_text(const HostileInput& input) {
  if (input.files.size() != 1 || input.files[0].kind != TreeItem::Kind::File ||
      input.args != std::vector<std::string>{input.files[0].path}) {
    return std::nullopt;
  }
  return input.files[0].data;
}

inline std::size_t total_bytes(const HostileInput& input) {
  std::size_t bytes = 0;
  for (const TreeItem& item : input.files) bytes += item.path.size() + item.data.size();
  return bytes;
}

// Whether a child's peak resident size is sound for `input_bytes` read and
// `output_bytes` written. A parsed entry costs about a kilobyte, and the
// densest case, a million one-line layers of 30 bytes each, peaks near 34
// times its input, so 64 leaves room. A report is built whole before it is
// written, and a growing string may hold twice its size. The base is the
// code, the libraries and the parent's pages shared at the fork.
// AddressSanitizer's shadow memory and quarantine make sizes meaningless, so
// there is no bound under it.
inline constexpr std::size_t kMemoryFactor = 64;
inline constexpr std::size_t kMemoryOutputFactor = 2;
inline constexpr std::size_t kMemoryBase = std::size_t{64} << 20;

inline bool within_memory_bound(std::size_t peak_bytes, std::size_t input_bytes,
                                std::size_t output_bytes) {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return peak_bytes <=
         kMemoryFactor * input_bytes + kMemoryOutputFactor * output_bytes + kMemoryBase;
}

}  // namespace lyre::test_support
