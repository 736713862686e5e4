#!/usr/bin/env bash
# Installs the Debian packages that the named tasks need, when they are missing.
#
#   scripts/install-deps.sh [build|test|bench|fuzz|lint]...   (default: build)
#
# As root it runs apt-get, otherwise sudo apt-get. Where neither can install,
# it names the missing packages and the command that installs them, and fails.
set -euo pipefail

declare -A missing=()
need_command() { command -v "$1" >/dev/null || missing[$2]=1; }
need_file() { [ -e "$1" ] || missing[$2]=1; }
need_python_module() { python3 -c "import $1" >/dev/null 2>&1 || missing[$2]=1; }
fuzzer_runtime() {
  local dir
  dir=$(clang++-16 -print-resource-dir 2>/dev/null) || return 1
  [ -e "$dir/lib/linux/libclang_rt.fuzzer-$(uname -m).a" ]
}

for task in "${@:-build}"; do
  case "$task" in
    build | test | bench | fuzz)
      need_command cmake cmake
      need_command ninja ninja-build
      need_command g++ g++
      ;;&
    test | fuzz)
      # The lyre program, which the tests and fuzz targets cover; lyrelint
      # needs neither.
      need_file /usr/include/nlohmann/json.hpp nlohmann-json3-dev
      need_file /usr/include/CLI/CLI.hpp libcli11-dev
      ;;&
    test)
      need_file /usr/include/gtest/gtest.h libgtest-dev
      need_command python3 python3
      # The SARIF test validates logs against the schema with it.
      need_python_module jsonschema python3-jsonschema
      # The package test also builds the embed example with clang.
      need_command clang++-16 clang-16
      # The language server's test in a real editor.
      need_command nvim neovim
      ;;
    bench)
      need_file /usr/include/benchmark/benchmark.h libbenchmark-dev
      need_command python3 python3
      need_file /usr/bin/time time # peak memory
      ;;
    fuzz)
      need_command clang++-16 clang-16
      fuzzer_runtime || missing[libclang-rt-16-dev]=1
      ;;
    lint)
      need_command clang-format clang-format
      need_command shellcheck shellcheck
      ;;
    build) ;;
    *)
      echo "usage: scripts/install-deps.sh [build|test|bench|fuzz|lint]..." >&2
      exit 2
      ;;
  esac
done

[ ${#missing[@]} -eq 0 ] && exit 0
packages=("${!missing[@]}")
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if ! command -v apt-get >/dev/null || { [ ${#sudo[@]} -gt 0 ] && ! command -v sudo >/dev/null; }; then
  echo "error: missing packages: ${packages[*]}" >&2
  echo "install them with: sudo apt-get install ${packages[*]}" >&2
  exit 1
fi
echo "installing: ${packages[*]}"
if ! { "${sudo[@]}" apt-get update -qq &&
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${packages[@]}"; }; then
  echo "error: could not install: ${packages[*]}" >&2
  echo "install them with: sudo apt-get install ${packages[*]}" >&2
  exit 1
fi
