#!/bin/sh
# The folders of the program depend one way (docs/architecture.md), and the
# build keeps them so: each library sees only the include roots of the
# libraries it links. What the build cannot see is an include by a path
# relative to the including file ("../tasks/Tarv_n.h"), which the compiler
# finds beside the file whatever the include roots are. No file of src/ or
# tools/ may include one.
#
#   tests/architecture/check-includes.sh [SOURCE-FOLDER]
#
# Prints every such include and fails when there is one.
set -eu
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

found=$(grep -rn --include='*.h' --include='*.cpp' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*/)?\.\./' src tools || true)
if [ -n "$found" ]; then
    echo "$found" | sed 's/$/   <- an include out of its folder, past the build'"'"'s include roots/'
    exit 1
fi
echo "check-includes: no file includes past its folder's include roots"
