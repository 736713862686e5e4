// The per-file pipeline on a small project file that imports the built-in
// instruments, the common case of a game project.
#include <benchmark/benchmark.h>

#include <string_view>

#include "lyre/track.h"

namespace {

constexpr std::string_view kFile = R"(@import std:instruments

# Songs

## cue
@tempo 128
@layer melody
@layer beat

# Layers

## melody
piano 0 60 0.5
piano 0.5 62 0.5 volume 0.8
strings 1 64 2 glide -2 ease-out

## beat
kick 0 36 0.5 repeat 7
snare 1 38 0.5
hihat 0 42 0.25 repeat 15
)";

// Without the cache every file parses the six library texts again.
void BM_CheckTextWithStdImport(benchmark::State& state) {
  lyre::LibraryCache cache;
  lyre::LibraryCache* libraries = state.range(0) ? &cache : nullptr;
  for (auto _ : state) {
    auto verdict =
        lyre::check_text("cue.track", kFile, std::string(), false, lyre::read_source, libraries);
    if (!verdict.ok) state.SkipWithError(verdict.line.c_str());
    benchmark::DoNotOptimize(verdict);
  }
}
BENCHMARK(BM_CheckTextWithStdImport)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
