#!/usr/bin/env bash
# fuzz.sh [--seconds N] [--target NAME] [--jobs J]
#   Builds the fuzz targets with the address and undefined-behaviour sanitizers into
#   $KV_FUZZ_BUILD (default build-fuzz/), writes their seed corpora from the example data
#   and runs each target (or only NAME, e.g. "logbook") for N seconds (default 60).
#   Prints per target the executions, the coverage reached and the outcome; exits
#   non-zero on any finding, naming the reproducer. Inputs found interesting are kept in
#   $KV_FUZZ_BUILD/corpus/NAME for the next run; reproducers go to $KV_FUZZ_BUILD/findings/.
#   Reproduce one with: $KV_FUZZ_BUILD/fuzz/fuzz_NAME path/to/reproducer
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds=60
only=""
while (($#)); do
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        --target) only="$2"; shift 2 ;;
        *) echo "usage: fuzz.sh [--seconds N] [--target NAME]" >&2; exit 2 ;;
    esac
done
build="${KV_FUZZ_BUILD:-$here/build-fuzz}"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKV_FUZZ=ON -DKV_BUILD_TESTS=OFF -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target kv_fuzz_all -j "$(nproc)" >"$build/build.log" 2>&1 || {
    tail -40 "$build/build.log" >&2
    echo "fuzz build failed" >&2
    exit 1
}
"$build/fuzz/fuzz_seeds" "$build/seeds" >/dev/null

targets=()
for exe in "$build"/fuzz/fuzz_*; do
    name="$(basename "$exe")"
    name="${name#fuzz_}"
    [ "$name" = seeds ] && continue
    [ -z "$only" ] || [ "$only" = "$name" ] || continue
    targets+=("$name")
done
if ((${#targets[@]} == 0)); then
    echo "no fuzz target named \"$only\"" >&2
    exit 2
fi

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings" "$build/logs"
failed=0
printf '%-18s %12s %8s %8s  %s\n' target executions edges features outcome
for name in "${targets[@]}"; do
    corpus="$build/corpus/$name"
    seeds="$build/seeds/$name"
    mkdir -p "$corpus" "$seeds"
    log="$build/logs/$name.log"
    status=0
    "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix="$build/findings/$name-" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' "$log" | tail -1)
    ft=$(sed -n 's/.* ft: \([0-9]*\) .*/\1/p' "$log" | tail -1)
    if [ "$status" -eq 0 ]; then
        outcome="ok"
    else
        failed=1
        repro=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
        outcome="FINDING (exit $status) reproducer: ${repro:-none written}, log: $log"
    fi
    printf '%-18s %12s %8s %8s  %s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$outcome"
done
exit "$failed"
