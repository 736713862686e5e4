// A section large enough to be parsed on several threads gives what a parse
// on one thread gives: every entry in file order, the first error in file
// order, and every error in order when reading on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyre/track.h"

namespace lyre {
namespace {

// 4,000 layers of 40 notes: 164,000 body lines, several runs' worth.
std::string large_layers(const std::vector<int>& broken) {
  std::string text = "# Layers\n";
  for (int layer = 0; layer < 4000; ++layer) {
    text += std::string("## l") + std::to_string(layer) + "\n";
    for (int note = 0; note < 40; ++note)
      text += std::string("sine ") + std::to_string(note) + " 60 1\n";
    for (int at : broken) {
      if (at == layer) text += "sine x 60 1\n";
    }
  }
  return text;
}

// The error of the bad line of layer `layer`, the 41st of its body, after
// `broken_before` layers with a bad line of their own.
std::string failure_at(int layer, int broken_before) {
  const int line = 1 + layer * 41 + broken_before + 42;
  return std::string("line ") + std::to_string(line) + ": line 41: invalid number for start: 'x'";
}

TEST(ParallelParse, KeepsEveryEntryInFileOrder) {
  const std::string text = large_layers({});
  auto document = parse_track(text);
  ASSERT_TRUE(document.has_value()) << document.error().text();
  const auto& layers = document->sections.layers.entries;
  ASSERT_EQ(layers.size(), 4000u);
  for (std::size_t i = 0; i < layers.size(); ++i) {
    ASSERT_EQ(layers[i].name, std::string("l") + std::to_string(i));
    ASSERT_EQ(layers[i].value.notes.size(), 40u);
    ASSERT_EQ(layers[i].heading, 2 + i * 41);
  }
}

TEST(ParallelParse, GivesTheFirstErrorInFileOrder) {
  const std::string text = large_layers({500, 3900});
  auto document = parse_track(text);
  ASSERT_FALSE(document.has_value());
  EXPECT_EQ(document.error().text(), failure_at(500, 0));
}

TEST(ParallelParse, ReadingOnGivesEveryErrorInOrder) {
  const std::string text = large_layers({10, 2100, 3999});
  TrackRead read = read_track(text);
  std::vector<std::string> errors;
  for (const auto& error : read.errors) errors.push_back(error.text());
  EXPECT_EQ(errors, (std::vector<std::string>{failure_at(10, 0), failure_at(2100, 1),
                                              failure_at(3999, 2)}));
  EXPECT_EQ(read.document.sections.layers.entries.size(), 4000u);
}

}  // namespace
}  // namespace lyre
