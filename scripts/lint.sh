#!/usr/bin/env bash
# lint.sh [--all] [--since REV] [BUILD_DIR]
#   Runs clang-tidy with the checks of .clang-tidy and fails on any finding. Without
#   --all it checks the C++ sources changed since REV (default: the last 10 commits) and
#   any uncommitted ones, which is what CI runs; --all checks every source of the tree.
#   Uses the compile commands of BUILD_DIR (default build/, configured and built, so the
#   generated Qt sources exist). A header is checked through the sources including it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
all=0
since=""
build="$here/build"
while (($#)); do
    case "$1" in
        --all) all=1; shift ;;
        --since) since="$2"; shift 2 ;;
        -*) echo "usage: lint.sh [--all] [--since REV] [BUILD_DIR]" >&2; exit 2 ;;
        *) build="$(cd "$1" && pwd)"; shift ;;
    esac
done
db="$build/compile_commands.json"
[ -f "$db" ] || { echo "no $db: configure and build first" >&2; exit 2; }
cd "$here"

# Sources the build compiles (generated ones excluded), as paths relative to the tree.
mapfile -t known < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$db" | grep -v '_autogen/' |
    sed "s|^$here/||" | grep -v '^build' | sort -u)
if ((all)); then
    files=("${known[@]}")
else
    if [ -z "$since" ]; then
        count=$(git rev-list --count HEAD)
        since="HEAD~$((count > 10 ? 10 : count - 1))"
    fi
    mapfile -t changed < <({ git diff --name-only "$since" -- '*.cpp' '*.h'; git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u)
    # A changed header is checked through the sources that include it.
    files=()
    for f in "${changed[@]}"; do
        [ -f "$f" ] || continue
        case "$f" in
            *.cpp) files+=("$f") ;;
            *.h) mapfile -t -O "${#files[@]}" files < <(grep -lF "#include \"$(basename "$f")\"" "${known[@]}" || true) ;;
        esac
    done
    mapfile -t files < <(printf '%s\n' "${files[@]}" | sort -u | grep -xF -f <(printf '%s\n' "${known[@]}") || true)
fi
if ((${#files[@]} == 0)); then
    echo "lint: no C++ sources to check"
    exit 0
fi
echo "lint: clang-tidy over ${#files[@]} sources"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
printf '%s\n' "${files[@]}" |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null >"$out" || true
# A header included by several sources is reported once. Reports that end inside the
# system's headers (the analyser following a call into Qt) are not the tree's to mend.
findings=$(grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' "$out" | grep -F "$here/" | sort -u || true)
if [ -n "$findings" ]; then
    echo "$findings"
    echo "lint: $(echo "$findings" | wc -l) findings" >&2
    exit 1
fi
echo "lint: no findings"
