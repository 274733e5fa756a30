#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, lints the sources the last
# commits changed (scripts/lint.sh --all keeps the whole tree at zero), runs every test (a
# skipped test fails the run unless tests/allowed-skips.txt explains it), fuzzes every
# parser for 10 seconds, then runs the tests again under the address and
# undefined-behaviour sanitizers. Prints the time of each step.
# KV_SKIP_LINT=1, KV_SKIP_FUZZ=1 and KV_SKIP_SANITIZE=1 leave a step out on a quick local run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
times=()
step() {
    local name="$1"
    shift
    local start=$SECONDS
    echo "=== $name"
    "$@"
    times+=("$(printf '%-22s %4d s' "$name" $((SECONDS - start)))")
}
tests() {
    (cd "$1" && ctest --output-on-failure -j "$(nproc)" --timeout "$2") | tee "$1/ctest.log"
    "$here/scripts/check-skips.sh" "$1/ctest.log"
}
sanitized() {
    "$here/scripts/build.sh" "$here/build-asan" -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 tests "$here/build-asan" 600
}

step "install-deps" "$here/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
step "build (-Werror)" "$here/scripts/build.sh" "$here/build" -DKV_WERROR=ON
if [ "${KV_SKIP_LINT:-0}" != 1 ]; then
    step "lint (changed sources)" "$here/scripts/lint.sh" "$here/build"
fi
step "tests" tests "$here/build" 300
if [ "${KV_SKIP_FUZZ:-0}" != 1 ]; then
    step "fuzz (10 s a target)" "$here/scripts/fuzz.sh" --seconds 10
fi
if [ "${KV_SKIP_SANITIZE:-0}" != 1 ]; then
    step "sanitizer build+tests" sanitized
fi
echo "=== step times"
printf '%s\n' "${times[@]}"
