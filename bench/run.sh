#!/usr/bin/env bash
# Builds the release binary with the benchmarks, writes the benchmark corpora into bench/corpus/
# (seeded, regenerated when the generator or its options change) and prints
# every figure beside its target: files in parallel against one core and cat,
# the big and entry-heavy files (MB/s, peak memory), the scaling of each kind
# of entry (callgrind instructions) and the language server's change to its
# diagnostics.
#
# usage: bench/run.sh [--runs N] [--before REV] [--micro] [--server]
#   --runs N      timed runs per figure, the median is shown (default 5)
#   --before REV  also build revision REV (in build/before/) and measure it beside this tree
#   --micro       also run the Google Benchmarks (lyre_bench), the server's among them
#   --server      run only the language server's benchmarks: the time from a change
#                 to its diagnostics on a 1 MB document, and memory after 10,000 edits
set -euo pipefail
cd "$(dirname "$0")/.."
runs=5
micro=0
server=0
before=""
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --before) before="$2"; shift 2 ;;
    --micro) micro=1; shift ;;
    --server) server=1; shift ;;
    *) echo "usage: bench/run.sh [--runs N] [--before REV] [--micro] [--server]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" --target lyrelint lyre_bench >/dev/null

if [ "$server" = 1 ]; then
  exec build/bench/lyre_bench --benchmark_filter='ChangeToDiagnostics|MemoryAfterEdits' \
    --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true
fi

compare=()
if [ -n "$before" ]; then
  # The earlier revision, checked out and built beside this tree.
  rm -rf build/before
  git worktree prune
  git worktree add --detach build/before/src "$before" >/dev/null
  cmake -S build/before/src -B build/before/build -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DLYRE_BENCHMARKS=ON -DLYRE_TESTS=OFF >/dev/null
  cmake --build build/before/build -j "$(nproc)" --target lyrelint lyre_bench >/dev/null
  compare=(--before build/before/build/lyrelint --bench-before build/before/build/lyre_bench)
fi

corpus=bench/corpus
stamp="$(sha256sum bench/make_corpus.py | cut -c1-16) seed=20240601 notes=100"
if [ "$(cat "$corpus/.stamp" 2>/dev/null)" != "$stamp" ]; then
  echo "writing the corpora into $corpus/ ..."
  rm -rf "$corpus"
  python3 bench/make_corpus.py --seed 20240601 --notes-mb 100 "$corpus"
  echo "$stamp" >"$corpus/.stamp"
fi

python3 bench/measure.py --runs "$runs" --bench build/bench/lyre_bench "${compare[@]}" \
  build/bench/lyrelint "$corpus"
if [ "$micro" = 1 ]; then
  build/bench/lyre_bench --benchmark_min_time=0.5
fi
