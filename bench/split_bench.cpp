// Splitting a large document into its header, sections and blocks.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "docformat/split.h"

namespace {

// A layer section of many small blocks of note lines, as a track file has.
std::string document_text() {
  std::string text = "@import std:drums\n\n# Layers\n\n";
  for (int block = 0; block < 20'000; ++block) {
    text += "## layer" + std::to_string(block) + "\n@volume 0.8\n";
    for (int note = 0; note < 8; ++note) {
      text += "kick " + std::to_string(note) + ".5 36 0.25 volume 0.7\n";
    }
    text += "\n";
  }
  return text;
}

void BM_SplitDocument(benchmark::State& state) {
  const std::string text = document_text();
  for (auto _ : state) {
    auto split = lyre::docformat::split_document(text);
    if (!split) state.SkipWithError(split.error().text().c_str());
    benchmark::DoNotOptimize(split);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SplitDocument)->Unit(benchmark::kMillisecond);

}  // namespace
