#!/bin/sh
# Checks the lesson folder that "cmake --install" makes: every file in it,
# a desktop entry that names the folder, a configuration file that
# urok-setup reads, and a launcher that starts the program from its folder.
#   check-install.sh BUILD-FOLDER
set -u
build=$1
folder="$(mktemp -d)/Урок 10А"
trap 'rm -rf "$(dirname "$folder")"' EXIT
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$folder" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for f in urok urok.sh tools/urok-setup; do
    [ -x "$folder/$f" ] || fail "$f is missing or not executable"
done
for f in OPTIM.UFG README.txt urok.desktop urok.svg tools/OPTIM.profile; do
    [ -s "$folder/$f" ] || fail "$f is missing"
done
grep -qx "Exec=\"$folder/urok.sh\"" "$folder/urok.desktop" || fail "the desktop entry does not start $folder/urok.sh"
grep -qx "Icon=$folder/urok.svg" "$folder/urok.desktop" || fail "the desktop entry has no icon"
"$folder/tools/urok-setup" show "$folder/OPTIM.UFG" | grep -q "Код на урока: OPTIM" \
    || fail "urok-setup cannot read the installed OPTIM.UFG"
grep -q "OTGOWORI.TXT" "$folder/README.txt" || fail "the README does not say where the answers are"

# The launcher runs the program in the lesson folder, from wherever it is
# started: a stand-in program there tells its working folder.
printf '#!/bin/sh\npwd > "%s/started-in"\n' "$folder" >"$folder/urok"
chmod +x "$folder/urok"
(cd / && "$folder/urok.sh") || fail "urok.sh failed"
[ "$(cat "$folder/started-in" 2>/dev/null)" = "$folder" ] || fail "urok.sh does not start the program in its folder"

# A lesson folder the user cannot write, started with no home folder (as
# some menus do): the launcher finds a folder of the user's own and says so.
if setpriv --version >/dev/null 2>&1 && [ "$(id -u)" -eq 0 ]; then
    printf '#!/bin/sh\npwd\n' >"$folder/urok"
    chmod -R a+rX "$(dirname "$folder")"
    rm -rf /tmp/urok-65534
    started=$(cd / && env -u HOME -u TMPDIR setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$folder/urok.sh" 2>"$folder/said") || fail "urok.sh failed without a home folder"
    [ "$started" = /tmp/urok-65534 ] || fail "urok.sh without a home folder ran in '$started'"
    grep -q "урокът работи в /tmp/urok-65534 " "$folder/said" \
        || fail "urok.sh did not say where the lesson runs without a home folder"
    [ -s /tmp/urok-65534/OPTIM.UFG ] || fail "urok.sh did not copy OPTIM.UFG without a home folder"
    rm -rf /tmp/urok-65534
    # A home folder the user cannot write, or one that is no full path (it
    # would be taken in whatever folder the launcher is started from): the
    # same folder of the user's own, and only Bulgarian said.
    here=$(dirname "$folder")/started-here
    mkdir -p "$here" "$(dirname "$folder")/locked" && chmod 777 "$here"
    for home in "$(dirname "$folder")/locked" relative; do
        started=$(cd "$here" && env -u TMPDIR HOME="$home" setpriv --reuid=65534 --regid=65534 \
            --clear-groups "$folder/urok.sh" 2>"$here/said") || fail "urok.sh failed with HOME=$home"
        [ "$started" = /tmp/urok-65534 ] || fail "urok.sh with HOME=$home ran in '$started'"
        grep -q "урокът работи в /tmp/urok-65534 " "$here/said" \
            || fail "urok.sh did not say where the lesson runs with HOME=$home"
        ! grep -q "mkdir\|annot\|denied\|No such" "$here/said" \
            || fail "urok.sh said something not in Bulgarian with HOME=$home: $(cat "$here/said")"
        [ ! -e "$here/relative" ] || fail "urok.sh made a folder under the current one for HOME=$home"
        rm -rf /tmp/urok-65534
    done
fi

[ "$failures" -eq 0 ] && echo "the lesson folder is complete"
exit "$failures"
