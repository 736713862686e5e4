// Reading a large layer body, mostly plain note lines as real files hold them.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/song/note/layer.h"

namespace {

constexpr std::size_t kLines = 100'000;

// A repeating bar of a few voices: plain notes, a few with options, a curve
// line, an occasional placement with an override and a directive.
std::vector<std::string> layer_body() {
  const char* sounds[] = {"piano", "bass", "kick", "snare", "hat", "strings"};
  std::vector<std::string> lines;
  lines.reserve(kLines);
  lines.push_back("@volume 0.8 @pan -0.1");
  lines.push_back("@effect reverb 0.4 0.5 0.2");
  for (std::size_t i = 0; lines.size() < kLines; ++i) {
    const std::string start = std::to_string(i / 4) + "." + std::to_string((i % 4) * 25);
    const std::string pitch = std::to_string(36 + (i * 7) % 48);
    const char* sound = sounds[i % 6];
    switch (i % 20) {
      case 5:
        lines.push_back(std::string(sound) + " " + start + " " + pitch + " 0.5 volume 0.7");
        break;
      case 11:
        lines.push_back(std::string(sound) + " " + start + " " + pitch + " 2 glide -2 ease-out");
        lines.push_back("  volume 0 0, 0.1 1, 1 0");
        break;
      case 17:
        lines.push_back("motif riff " + start + " piano transpose 12");
        lines.push_back("  note 2 volume 0.5");
        break;
      default:
        lines.push_back(std::string(sound) + " " + start + " " + pitch + " 0.25");
    }
  }
  lines.resize(kLines);
  return lines;
}

void BM_LayerParseNoteLines(benchmark::State& state) {
  const std::vector<std::string> body = layer_body();
  std::vector<std::string_view> lines(body.begin(), body.end());
  std::size_t bytes = 0;
  for (std::string_view line : lines) bytes += line.size() + 1;
  for (auto _ : state) {
    auto layer = lyre::Layer::parse(lines);
    if (!layer) state.SkipWithError(layer.error().text().c_str());
    benchmark::DoNotOptimize(layer);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines.size()));
}
BENCHMARK(BM_LayerParseNoteLines)->Unit(benchmark::kMillisecond);

}  // namespace
