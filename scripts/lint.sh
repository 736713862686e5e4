#!/usr/bin/env bash
# Fails on a source file that clang-format would change and on a shellcheck
# finding in the scripts. CI runs it after the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lint
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
mapfile -t shell_scripts < <(git ls-files 'scripts/*.sh' '.ci/*' 'bench/*.sh')
shellcheck "${shell_scripts[@]}"
echo "lint: ${#sources[@]} sources formatted, ${#shell_scripts[@]} scripts clean"
