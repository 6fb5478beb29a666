#!/bin/sh
# Runs check_main_window.py against the lesson under a virtual X server with
# its own D-Bus session, the way a screen reader on a desktop would see it.
#   run_accessibility_check.sh PROGRAM CONFIG.UFG
# Exits 77 (skipped) when the tools are missing: xvfb-run, dbus-run-session,
# the AT-SPI bus (at-spi2-core) and python3-pyatspi for /usr/bin/python3.
set -u

here=$(dirname "$0")
skip() {
    echo "SKIPPED: $1 (install: xvfb xauth dbus-daemon at-spi2-core python3-pyatspi)"
    exit 77
}

command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is missing"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || [ -x /usr/lib/at-spi2-core/at-spi-bus-launcher ] \
    || skip "the AT-SPI bus launcher is missing"
/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || skip "python3-pyatspi is missing"

# Never hang: the whole check has three minutes.
timeout -k 10 180 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 "$here/check_main_window.py" "$1" "$2"
status=$?
[ "$status" -eq 124 ] && echo "FAIL: the check did not finish in three minutes"
exit "$status"
