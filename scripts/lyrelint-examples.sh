#!/usr/bin/env bash
# Builds the release binary and checks the bundled examples.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
# The command alone: no test framework needed.
cmake --preset release -DLYRE_TESTS=OFF >/dev/null
cmake --build --preset release --target lyrelint
build/release/lyrelint examples/
