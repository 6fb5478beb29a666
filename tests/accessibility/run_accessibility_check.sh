#!/bin/sh
# Runs check_lesson.py against the lesson under a virtual X server with its
# own D-Bus session, the way a screen reader on a desktop would see it.
#   run_accessibility_check.sh PROGRAM CONFIG.UFG UROK-SETUP PROFILE
# CONFIG.UFG is the lesson's configuration; the walk through the whole lesson
# runs with another one, which urok-setup writes here from PROFILE with the
# tasks open before the plan is written and short times (below).
# Exits 77 (skipped) when the tools are missing: Xvfb, dbus-run-session,
# the AT-SPI bus (at-spi2-core) and python3-pyatspi for /usr/bin/python3;
# and, saying why, when the lesson could write no answers file in the
# folder it runs in (see below).
set -u

here=$(dirname "$0")
skip() {
    echo "SKIPPED: $1 (install: xvfb xauth dbus-daemon at-spi2-core python3-pyatspi)"
    exit 77
}

command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is missing"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || [ -x /usr/lib/at-spi2-core/at-spi-bus-launcher ] \
    || skip "the AT-SPI bus launcher is missing"
/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || skip "python3-pyatspi is missing"

# The check ends by leaving the lesson and expects the answers file, which
# the lesson writes only on a removable or a fixed disk. So its lesson
# folder is made here, in the build tree CTest runs it in, and not in /tmp,
# which many systems keep in RAM. Where even the kind of this disk cannot be
# told, or it is a RAM disk, the lesson rightly writes nothing and the check
# cannot be run: it says so. The kind is read where the lesson reads it, in
# the mount table (/proc/self/mountinfo), which in a bare chroot lists no
# mount for the chroot's own files.
lessons_in=$(pwd -P)
# (the last line is the mount on top, where one covers another)
fstype=$(findmnt -n -o FSTYPE -T "$lessons_in" 2>/dev/null | tail -n 1)
case "$fstype" in
    "")
        echo "SKIPPED: the kind of disk that holds $lessons_in cannot be determined" \
            "(no mount in /proc/self/mountinfo covers it, as in a bare chroot)," \
            "so the lesson writes no answers file there; run the check on a disk the system mounts"
        exit 77 ;;
    tmpfs|ramfs)
        echo "SKIPPED: $lessons_in is on a RAM disk ($fstype), where the lesson writes no answers file;" \
            "run the check from a build tree on a removable or a fixed disk"
        exit 77 ;;
esac

# The X server picks a free display itself and tells which (-displayfd),
# so checks that run one after the other, or side by side, never collide.
# -noreset: an X server otherwise starts afresh whenever its last client
# leaves, and turns away whoever connects meanwhile (the lesson, the
# accessibility registry).
work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
tries=0
while [ ! -s "$work/display" ] && [ "$tries" -lt 200 ]; do
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
    tries=$((tries + 1))
done
display=$(cat "$work/display" 2>/dev/null)
if [ -z "$display" ]; then
    echo "FAIL: the virtual X server did not start"
    cat "$work/xvfb.log"
    exit 1
fi

# The number is told as soon as the server listens; on a busy machine it
# takes a while longer before it lets clients in. Wait until one gets in.
ready() {
    DISPLAY=":$display" /usr/bin/python3 -c '
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
d = x.XOpenDisplay(None)
if d:
    x.XCloseDisplay(ctypes.c_void_p(d))
sys.exit(0 if d else 1)' 2>/dev/null
}
tries=0
until ready; do
    tries=$((tries + 1))
    if [ "$tries" -ge 300 ]; then
        echo "FAIL: the virtual X server lets no client in"
        cat "$work/xvfb.log"
        exit 1
    fi
    sleep 0.1
done

# The short lesson: the tasks open at once (option 16), every plan point
# takes two seconds, the first task ten, its hint coming after five.
sed -e 's/^option 16 = .*/option 16 = 1/' \
    -e 's/^point \([0-9]*\) rate = .*/point \1 rate = 0/' \
    -e 's/^task 1 time = .*/task 1 time = 0:10/' -e 's/^task 1 hint at = .*/task 1 hint at = 0:05/' \
    "$4" >"$work/short.profile"
if ! "$3" write "$work/short.profile" "$work/SHORT.UFG" >"$work/setup.log" 2>&1; then
    echo "FAIL: urok-setup could not write the short lesson's configuration"
    cat "$work/setup.log"
    exit 1
fi

# Never hang: the whole check has six minutes, for a busy machine; each
# of its waits ends as soon as what it waits for is there. Without a runtime folder of
# the session, Qt would make one in TMPDIR, that is in the build tree.
DISPLAY=":$display" timeout -k 10 360 dbus-run-session -- \
    env TMPDIR="$lessons_in" XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work}" /usr/bin/python3 "$here/check_lesson.py" "$1" "$2" "$work/SHORT.UFG"
status=$?
[ "$status" -eq 124 ] && echo "FAIL: the check did not finish in six minutes"
exit "$status"
