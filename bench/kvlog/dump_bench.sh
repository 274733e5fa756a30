#!/bin/sh
# kvlog dump on the full logbook (65535 dives) against cat of the same file: wall time
# (best of RUNS) and peak memory (maximum resident set size of /usr/bin/time -v).
#   bench/kvlog/dump_bench.sh [BUILD_DIR] [RUNS]     (run under nice -n 10)
set -eu
build=$(readlink -f "${1:-build}")
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target kvlog make_large_logbook >/dev/null
"$build/bin/make_large_logbook" "$work/full.log"
"$build/bin/make_large_logbook" "$work/reversed.log" --reversed

# Best wall time in milliseconds of RUNS runs of the command, output to /dev/null.
best_ms() {
    best=""
    i=0
    while [ "$i" -lt "$runs" ]; do
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        ms=$(( (end - start) / 1000000 ))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
        i=$((i + 1))
    done
    echo "$best"
}

peak_kib() {
    /usr/bin/time -v "$@" 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p'
}

size=$(stat -c %s "$work/full.log")
cat "$work/full.log" >/dev/null  # into the page cache
cat_ms=$(best_ms cat "$work/full.log")
out_bytes=$("$build/bin/kvlog" dump "$work/full.log" | wc -c)
echo "logbook: 65535 dives, $size bytes; dump output: $out_bytes bytes"
echo "cat:                     $cat_ms ms, peak $(peak_kib cat "$work/full.log") KiB"
for f in full reversed; do
    ms=$(best_ms "$build/bin/kvlog" dump "$work/$f.log")
    kib=$(peak_kib "$build/bin/kvlog" dump "$work/$f.log")
    ratio=$(awk -v a="$ms" -v b="$cat_ms" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')
    printf 'kvlog dump (%s): %5s ms (%sx cat), peak %s KiB\n' "$f" "$ms" "$ratio" "$kib"
done
