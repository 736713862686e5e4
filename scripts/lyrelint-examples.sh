#!/usr/bin/env bash
# Builds the release binary and checks the bundled examples.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release --target lyrelint
build/release/lyrelint examples/
