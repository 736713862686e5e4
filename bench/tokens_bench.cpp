// The token readers every line parser uses: the token cursor and numbers.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

#include "track/format/tokens.h"

namespace {

constexpr std::string_view kLine = "piano 12.25 60 0.5 glide -2 ease-out volume 0.75 \"la la\"";
constexpr std::string_view kNumbers[] = {"0",    "12.25", "60",   "0.5", "-2",
                                         "0.75", "440",   "1e-3", "132", "0.125"};

void BM_TokensNext(benchmark::State& state) {
  for (auto _ : state) {
    lyre::Tokens tokens(kLine);
    while (auto token = tokens.next()) benchmark::DoNotOptimize(token);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLine.size()));
}
BENCHMARK(BM_TokensNext);

void BM_ReadFloat(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view token : kNumbers) benchmark::DoNotOptimize(lyre::read_float(token));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * std::size(kNumbers)));
}
BENCHMARK(BM_ReadFloat);

}  // namespace
