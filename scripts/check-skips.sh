#!/usr/bin/env bash
# check-skips.sh CTEST_LOG: fails when ctest reported a skipped test that is not on
# tests/allowed-skips.txt. A skip there must say why the test cannot run in CI; any other
# skip means a test silently stopped testing (a missing locale, tool or data file).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
log="$1"
allowed="$here/tests/allowed-skips.txt"
# ctest lists them after "The following tests did not run:" as "<n> - <name> (Skipped)".
skipped=$(sed -n 's/^[[:space:]]*[0-9]\+ - \(.*\) (Skipped)$/\1/p' "$log" | sort -u)
bad=0
while IFS= read -r name; do
    [ -n "$name" ] || continue
    if grep -v '^#' "$allowed" | cut -d'#' -f1 | sed 's/[[:space:]]*$//' | grep -qxF "$name"; then
        echo "skipped (allowed): $name"
    else
        echo "skipped, not on tests/allowed-skips.txt: $name" >&2
        bad=1
    fi
done <<<"$skipped"
exit "$bad"
