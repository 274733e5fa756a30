#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the
# tests again under the address and undefined-behaviour sanitizers.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
"$here/scripts/build.sh" "$here/build"
(cd "$here/build" && ctest --output-on-failure -j "$(nproc)" --timeout 300)
if [ "${KV_SKIP_SANITIZE:-0}" != 1 ]; then
    "$here/scripts/build.sh" "$here/build-asan" -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
    (cd "$here/build-asan" && ctest --output-on-failure -j "$(nproc)" --timeout 600)
fi
