#!/usr/bin/env bash
# Builds and runs every test: the release build, then the sanitizer build
# (AddressSanitizer + UndefinedBehaviorSanitizer), each with the unit and
# end-to-end tests and the acceptance cases.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
for preset in release asan; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: unit and end-to-end tests"
  ctest --preset "$preset"
  echo "== $preset: acceptance cases"
  python3 ../shared/acceptance/run.py --bin "build/$preset/lyrelint" -q
done
