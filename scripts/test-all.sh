#!/usr/bin/env bash
# Builds and runs every test: the release build, then the sanitizer build
# (AddressSanitizer + UndefinedBehaviorSanitizer), each with the unit and
# end-to-end tests and, where the shared acceptance cases sit beside the
# clone, those too. Under CI (CI=true) warnings are errors and the
# acceptance cases must be there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs=$(nproc)
acceptance=../shared/acceptance/run.py
werror=OFF
if [ "${CI:-}" = true ]; then
  werror=ON
  if [ ! -f "$acceptance" ]; then
    echo "error: CI needs the acceptance cases at $acceptance" >&2
    exit 1
  fi
fi
for preset in release asan; do
  echo "== $preset: build"
  cmake --preset "$preset" -DLYRE_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR="$werror" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: unit and end-to-end tests"
  ctest --preset "$preset"
  if [ -f "$acceptance" ]; then
    echo "== $preset: acceptance cases"
    python3 "$acceptance" --bin "build/$preset/lyrelint" -q
  else
    echo "== $preset: acceptance cases skipped: $acceptance is not beside this clone"
  fi
done
