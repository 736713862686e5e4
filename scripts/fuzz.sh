#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang 16, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them.
#
#   scripts/fuzz.sh ci                       replay the corpus and the regressions through every
#                                            target, then a short fixed-seed run of each
#   scripts/fuzz.sh long [seconds] [target]  run each target (or the ones named) for the given
#                                            time (default 600), inputs up to 64 KB; findings
#                                            go to fuzz/regressions/<target>/
#
# Any crash, sanitizer report, timeout (-timeout) or memory blow-up (-rss_limit_mb) fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# Fixed-seed runs per target in ci mode: each takes 10 to 30 s on one core here.
declare -A ci_runs=([pipeline_fuzz]=400000 [note_line_fuzz]=2000000 [sound_directive_fuzz]=2000000
  [effect_fuzz]=4000000 [song_directive_fuzz]=2000000 [check_fuzz]=30000 [server_fuzz]=30000
  [position_fuzz]=40000 [edits_fuzz]=10000)
timeout_s=10
rss_mb=2048
max_len=8192
targets=(pipeline_fuzz note_line_fuzz sound_directive_fuzz effect_fuzz song_directive_fuzz check_fuzz
  server_fuzz position_fuzz edits_fuzz)

usage() {
  echo "usage: scripts/fuzz.sh ci | long [seconds] [target...]" >&2
  exit 2
}

build() {
  scripts/install-deps.sh fuzz
  # Under CI a compiler warning fails the build, as in scripts/test-all.sh.
  local werror=OFF
  [ "${CI:-}" = true ] && werror=ON
  cmake --preset fuzz -DCMAKE_COMPILE_WARNING_AS_ERROR="$werror" >/dev/null
  cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

common_flags() {
  echo "-timeout=$timeout_s -rss_limit_mb=$rss_mb -max_len=$max_len -dict=fuzz/track.dict"
}

# Every corpus and regression file, each run once.
replay() {
  local target=$1
  local files=()
  mapfile -t files < <(find "fuzz/corpus/$target" "fuzz/regressions/$target" -type f 2>/dev/null | sort)
  [ ${#files[@]} -gt 0 ] || return 0
  # shellcheck disable=SC2046
  "build/fuzz/$target" $(common_flags) -runs=1 "${files[@]}" >"$work/$target.replay.log" 2>&1
}

run_ci() {
  build
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  local passed=0 failed=0
  for target in "${targets[@]}"; do
    mkdir -p "$work/$target.new" "$work/$target.artifacts"
    local ok=1
    if ! replay "$target"; then
      ok=0
      echo "== $target: replay FAILED"
      tail -n 40 "$work/$target.replay.log"
    fi
    if [ $ok = 1 ]; then
      local start=$SECONDS
      # shellcheck disable=SC2046
      if "build/fuzz/$target" $(common_flags) -seed=1 -runs="${ci_runs[$target]}" \
        -artifact_prefix="$work/$target.artifacts/" \
        "$work/$target.new" "fuzz/corpus/$target" >"$work/$target.log" 2>&1; then
        echo "== $target: replay and ${ci_runs[$target]} runs ok ($((SECONDS - start)) s)"
      else
        ok=0
        echo "== $target: FAILED (input and report below; save the input under fuzz/regressions/$target/)"
        tail -n 60 "$work/$target.log"
        for artifact in "$work/$target.artifacts"/*; do
          [ -e "$artifact" ] && od -c "$artifact" | head -n 20
        done
      fi
    fi
    if [ $ok = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  done
  echo "fuzz: $passed passed, $failed failed"
  [ "$failed" = 0 ]
}

run_long() {
  local seconds=${1:-600}
  [[ "$seconds" =~ ^[0-9]+$ ]] || usage
  shift || true
  [ $# -gt 0 ] && targets=("$@")
  # Long runs reach inputs as large as a real file's entries.
  max_len=65536
  build
  local failed=0
  for target in "${targets[@]}"; do
    # Grown inputs stay in the build tree; only findings enter the repository.
    mkdir -p "build/fuzz/corpus/$target" "fuzz/regressions/$target"
    echo "== $target: fuzzing for $seconds s"
    # The pipelines take whole files: mutations reach the full length at once
    # rather than growing towards it over the run.
    local len_control=()
    case $target in
      pipeline_fuzz | check_fuzz | server_fuzz | edits_fuzz) len_control=(-len_control=0) ;;
    esac
    # shellcheck disable=SC2046
    if ! "build/fuzz/$target" $(common_flags) "${len_control[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="fuzz/regressions/$target/" \
      "build/fuzz/corpus/$target" "fuzz/corpus/$target" "fuzz/regressions/$target"; then
      failed=1
      echo "== $target: FINDING saved under fuzz/regressions/$target/"
    fi
  done
  [ "$failed" = 0 ]
}

case "${1:-}" in
  ci) run_ci ;;
  long) shift; run_long "$@" ;;
  *) usage ;;
esac
