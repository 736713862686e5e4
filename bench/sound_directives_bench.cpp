// Reading sound bodies: harmonic lines and `@` directives.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/song/sound/sound.h"

namespace {

// One body of every common directive, as the built-in libraries write them.
constexpr std::string_view kBody[] = {"sine 1",
                                      "sine@2 0.5",
                                      "triangle@0.5 0.3",
                                      "@attack 0.01",
                                      "@decay 0.8 ease-out",
                                      "@sustain 0.4",
                                      "@release 0.5 ease-out",
                                      "@volume 0.42",
                                      "@filter 1200 0.2 2 ease",
                                      "@vibrato 6 0.06",
                                      "@tremolo 0.5 0.2",
                                      "@noise 0.1",
                                      "@slide -24 1.5",
                                      "@detune 0.02"};

void BM_SoundParse(benchmark::State& state) {
  const std::vector<std::string_view> lines(std::begin(kBody), std::end(kBody));
  std::size_t bytes = 0;
  for (std::string_view line : lines) bytes += line.size() + 1;
  for (auto _ : state) {
    auto sound = lyre::Sound::parse(lines);
    if (!sound) state.SkipWithError(sound.error().text().c_str());
    benchmark::DoNotOptimize(sound);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size()));
}
BENCHMARK(BM_SoundParse);

}  // namespace
