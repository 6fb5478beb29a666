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
for f in OPTIM.UFG README.txt ucitel.md urok.desktop urok.svg tools/OPTIM.profile tools/samples/task-01/1.in tools/samples/task-01/1.out; do
    [ -s "$folder/$f" ] || fail "$f is missing"
done
grep -qx "Icon=$folder/urok.svg" "$folder/urok.desktop" || fail "the desktop entry has no icon"
"$folder/tools/urok-setup" show "$folder/OPTIM.UFG" | grep -q "Код на урока: OPTIM" \
    || fail "urok-setup cannot read the installed OPTIM.UFG"
grep -q "OTGOWORI.TXT" "$folder/README.txt" || fail "the README does not say where the answers are"

# Before a class the teacher checks a pupil's folder that the launcher has
# not made yet: the installed lesson starts with the installed configuration.
said=$("$folder/tools/urok-setup" check "$(dirname "$folder")/home/urok")
for line in "папката ще бъде създадена" "програмата: тръгва" "OPTIM.UFG при пускане се копира от $folder"; do
    echo "$said" | grep -q "$line" || fail "urok-setup check does not say '$line': $said"
done

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

# The teacher's configuration file reaches the pupil's folder whenever it
# differs, even with an older date (copied with cp -p, rsync -a, scp -p).
if setpriv --version >/dev/null 2>&1 && [ "$(id -u)" -eq 0 ]; then
    pupil="$(dirname "$folder")/pupil"
    mkdir -p "$pupil"
    printf 'the pupil has an older configuration' >"$pupil/OPTIM.UFG"
    touch -d 2030-01-01 "$pupil/OPTIM.UFG"
    touch -d 2020-01-01 "$folder/OPTIM.UFG"
    chown -R 65534 "$pupil"
    (cd / && env UROK_FOLDER="$pupil" setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$folder/urok.sh" >/dev/null) || fail "urok.sh failed for a pupil"
    cmp -s "$folder/OPTIM.UFG" "$pupil/OPTIM.UFG" || fail "urok.sh kept the pupil's own OPTIM.UFG"
    [ "$(ls -A "$pupil")" = OPTIM.UFG ] || fail "urok.sh left more than OPTIM.UFG in the pupil's folder"
fi

# The desktop entry starts the launcher of its own folder, wherever the
# folder is copied, and through a link as the package's menu has it; GLib
# starts it as the desktop's menus and file managers do. The stand-in
# program says where it started through a pipe.
launch() {
    /usr/bin/python3 -c 'import sys; from gi.repository import Gio
sys.exit(0 if Gio.DesktopAppInfo.new_from_filename(sys.argv[1]).launch([], None) else 1)' "$1"
}
if /usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null; then
    copy="$(dirname "$folder")/Урок 10Б"
    cp -a "$folder" "$copy"
    said="$(dirname "$folder")/said"
    mkfifo "$said"
    printf '#!/bin/sh
pwd >"%s"
' "$said" >"$copy/urok"
    ln -s "$copy/urok.desktop" "$(dirname "$folder")/menu.desktop"
    for entry in "$copy/urok.desktop" "$(dirname "$folder")/menu.desktop"; do
        (cd / && launch "$entry") || fail "the desktop cannot start $entry"
        started=$(timeout 60 cat "$said")
        [ "$started" = "$copy" ] || fail "$entry started the lesson in '$started'"
    done
fi

[ "$failures" -eq 0 ] && echo "the lesson folder is complete"
exit "$failures"
