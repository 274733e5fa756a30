#!/bin/sh
# Kelwin's peak memory holding the full logbook (65535 dives, the benchmarks' file)
# against an empty logbook: the peak resident set size (VmHWM) once the main window has
# settled, and what the full logbook adds in proportion to the file's size.
#   bench/ui/kelwin-memory.sh [BUILD_DIR] [RUNS]
# Kelwin runs offscreen with a home folder of its own, so the user's settings, logbooks
# and recovery copies are left alone.
set -eu
build=$(readlink -f "${1:-build}")
runs=${2:-3}
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

cmake --build "$build" --target kelwin make_large_logbook >/dev/null
"$build/bin/make_large_logbook" "$work/full.log"
# The head of a logbook without dives: format mark 161, dive computer 0, no dives, and
# the four bytes every logbook carries after the count.
printf '\241\000\000\000\000\000\000\000\334\005\372\000' >"$work/empty.log"

# Peak resident KiB of Kelwin on the logbook: it is started, watched until its resident
# size has not changed for two seconds (at most 60 seconds), and then ended. Each run is
# a first start, which opens the copy of the example logbook in the documents folder
# whatever the command line names; the logbook is put there under that name.
peak_kib() {
    rm -rf "$work/home"
    mkdir -p "$work/home/Documents/My Logbooks"
    cp "$1" "$work/home/Documents/My Logbooks/EXAMPLE.LOG"
    HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" QT_QPA_PLATFORM=offscreen \
        "$build/bin/kelwin" "$1" >"$work/kelwin.out" 2>&1 &
    pid=$!
    last=""
    steady=0
    waited=0
    while [ "$steady" -lt 4 ] && [ "$waited" -lt 120 ]; do
        sleep 0.5
        waited=$((waited + 1))
        rss=$(sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null || true)
        if [ -z "$rss" ]; then
            echo "kelwin ended early on $1:" >&2
            cat "$work/kelwin.out" >&2
            exit 1
        fi
        if [ "$rss" = "$last" ]; then steady=$((steady + 1)); else steady=0; fi
        last=$rss
    done
    sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}

# The smallest peak of RUNS runs.
best_kib() {
    best=""
    i=0
    while [ "$i" -lt "$runs" ]; do
        kib=$(peak_kib "$1")
        if [ -z "$best" ] || [ "$kib" -lt "$best" ]; then best=$kib; fi
        i=$((i + 1))
    done
    echo "$best"
}

size=$(stat -c %s "$work/full.log")
empty=$(best_kib "$work/empty.log")
full=$(best_kib "$work/full.log")
added=$((full - empty))
ratio=$(awk -v a="$added" -v b="$size" 'BEGIN { printf "%.2f", a * 1024 / b }')
echo "logbook: 65535 dives, $size bytes"
echo "kelwin, empty logbook: peak $empty KiB"
echo "kelwin, full logbook:  peak $full KiB"
echo "added by the full logbook: $added KiB (${ratio}x the file)"
