#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kelwin on the example logbook.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"
if [ -x "$here/build/bin/kelwin" ]; then
    exec "$here/build/bin/kelwin" "$here/build/bin/EXAMPLE.LOG"
else
    exec "$here/build/bin/kvlog" dump "$here/build/bin/EXAMPLE.LOG"
fi
