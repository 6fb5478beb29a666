#!/bin/sh
# The folders of the program depend one way (docs/architecture.md):
#   content   <- engine <- controls <- each window folder <- app
# A folder includes only itself and the folders below it; no window folder
# (lesson, tasks, appearance, windows) includes another, and only app knows
# the windows. The tools build on content and engine alone.
#
#   tests/architecture/check-includes.sh [SOURCE-FOLDER]
#
# Prints every include that breaks the rule and fails when there is one.
set -eu
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

allowed() {
    case $1 in
    src/content) echo "content" ;;
    src/engine) echo "content engine" ;;
    src/controls) echo "content engine controls" ;;
    src/lesson | src/tasks | src/appearance | src/windows)
        echo "content engine controls ${1#src/}" ;;
    src/app) echo "content engine controls lesson tasks appearance windows app" ;;
    tools/*) echo "content engine" ;;
    *) echo "" ;;
    esac
}

broken=0
for file in $(find src tools -name '*.h' -o -name '*.cpp' | sort); do
    dir=$(dirname "$file")
    case $dir in tools/*/*) dir=${dir%/*} ;; esac
    ok=$(allowed "$dir")
    for target in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/[^"]*".*/\1/p' "$file"); do
        case " $ok " in
        *" $target "*) ;;
        *)
            # A tool's own headers sit beside it.
            case $dir in tools/*) [ -d "$dir/$target" ] && continue ;; esac
            echo "$file includes from $target/, which $dir/ may not use"
            broken=1
            ;;
        esac
    done
done
[ $broken -eq 0 ] && echo "check-includes: every folder depends only on the folders below it"
exit $broken
