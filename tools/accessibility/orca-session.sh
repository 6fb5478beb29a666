#!/bin/sh
# Records what the Orca screen reader says while a pupil goes through one
# lesson with the keyboard alone, and writes it as a readable log: each key
# pressed, then what Orca said.
#   tools/accessibility/orca-session.sh BUILD-FOLDER OUTPUT-LOG
# BUILD-FOLDER is a build tree with lesson/urok and tools/urok-setup built.
# Not part of `make test`: it needs Debian's orca, openbox, xdotool, xvfb,
# xauth, dbus and at-spi2-core, and takes about a minute and a half. Exits
# 77 when one of them is missing.
#
# Orca runs with its default settings and speaks through a private
# speech-dispatcher whose only output is its dummy module, so no sound card
# is needed; what Orca says is taken where Orca hands it to the speech
# server, from its logger named "speech". Orca runs in a PID namespace of
# its own: it refuses to start while any other process called orca runs
# under the same user, elsewhere on the machine too. Orca speaks Bulgarian,
# as on a pupil's desktop (ORCA_SESSION_LANGUAGE=en for English role words);
# with ORCA_SESSION_DEBUG set to a file name, it writes its debug output there
# when it ends.
set -u

if [ "${1:-}" != --inside ]; then
    [ $# -eq 2 ] || { echo "usage: $0 BUILD-FOLDER OUTPUT-LOG" >&2; exit 2; }
    for tool in xvfb-run xauth xdotool setxkbmap openbox orca dbus-run-session unshare; do
        command -v "$tool" >/dev/null 2>&1 || {
            echo "SKIPPED: $tool is missing (install: orca openbox speech-dispatcher" \
                "xvfb xauth xdotool dbus-x11 at-spi2-core python3-pyatspi)"
            exit 77
        }
    done
    unshare -pf --mount-proc true 2>/dev/null || {
        echo "SKIPPED: no PID namespace can be made here (unshare -pf)"; exit 77; }
    build=$(cd "$1" && pwd -P) || exit 2
    case $2 in /*) out=$2 ;; *) out=$(pwd -P)/$2 ;; esac
    here=$(cd "$(dirname "$0")" && pwd -P)
    { [ -x "$build/lesson/urok" ] && [ -x "$build/tools/urok-setup/urok-setup" ]; } || {
        echo "$build has no lesson/urok or tools/urok-setup/urok-setup: build them first" >&2
        exit 2
    }
    work=$(mktemp -d "${TMPDIR:-/tmp}/orca-session.XXXXXX") || exit 1
    trap 'rm -rf "$work"' EXIT
    trap 'exit 1' INT TERM HUP

    # The lesson runs from a copy of its folder. Option 16 opens the tasks
    # before the whole plan is written; point 1 is written in about 39 s
    # (rate 1) and point 2 in 2 s (rate 0), so the walk stays short. Task 2
    # counts down one minute and gives its hint after 23 s, while the pupil
    # is in the Focus window (level 2, B = 6, H = -3).
    mkdir -p "$work/lesson" "$work/config/speech-dispatcher" "$work/hook" "$work/run"
    chmod 700 "$work/run"
    cp -R "$build/lesson/." "$work/lesson/"
    sed -e 's/^option 16 = 0/option 16 = 1/' -e 's/^point 1 rate = 2/point 1 rate = 1/' \
        -e 's/^point 2 rate = 2/point 2 rate = 0/' -e 's/^task 2 level = 3/task 2 level = 2/' \
        -e 's/^task 2 time = 33:20/task 2 time = 1:00/' -e 's/^task 2 hint at = 16:37/task 2 hint at = 0:23/' \
        "$here/../../config/OPTIM.profile" > "$work/walk.profile"
    "$build/tools/urok-setup/urok-setup" write "$work/walk.profile" "$work/lesson/OPTIM.UFG" \
        >/dev/null || exit 1
    printf 'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n' \
        > "$work/config/speech-dispatcher/speechd.conf"
    # Every utterance, as Orca sends it to the speech server, one line each
    # (with the time), flushed at once.
    cat > "$work/hook/sitecustomize.py" <<'EOF'
import logging, os
handler = logging.FileHandler(os.environ["ORCA_SPEECH_LOG"], encoding="utf-8")
handler.setFormatter(logging.Formatter("%(created).3f %(message)s"))
logging.getLogger("speech").addHandler(handler)
EOF

    # -noreset: the X server would otherwise start afresh when xauth, its
    # first client, leaves, and turn away whoever connects meanwhile.
    xvfb-run -a -s "-noreset -screen 0 1280x1024x24" \
        timeout -k 10 240 dbus-run-session -- sh "$0" --inside "$work" "$out" \
        >"$work/session.log" 2>&1
    status=$?
    [ "$status" -eq 124 ] && echo "the walk did not finish in four minutes" >&2
    [ "$status" -ne 0 ] && tail -n 20 "$work/session.log" >&2
    [ "$status" -eq 0 ] && echo "written: $out"
    exit "$status"
fi

# ---- Inside the X server and the D-Bus session ------------------------------

work=$2
out=$3
speech=$work/speech.log
: > "$speech"
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" GSETTINGS_BACKEND=memory \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8 LANG=C.UTF-8

# A Bulgarian layout beside the US one: the Cyrillic Alt keys are real keys,
# and xdotool need not remap a key for each of them, which Qt may see late.
setxkbmap -layout us,bg
openbox >"$work/openbox.log" 2>&1 &
openbox=$!
LANGUAGE=${ORCA_SESSION_LANGUAGE:-bg} ORCA_SPEECH_LOG=$speech PYTHONPATH=$work/hook \
    unshare -pf --mount-proc --kill-child orca -u "$work/orca" \
    ${ORCA_SESSION_DEBUG:+--debug-file "$ORCA_SESSION_DEBUG"} >"$work/orca.log" 2>&1 &
orca=$!
lesson=
trap 'kill $lesson $orca $openbox 2>/dev/null; sleep 1; kill -9 $orca $openbox 2>/dev/null; wait' EXIT

lines() { wc -l < "$speech"; }

# Waits until Orca says something after line $1 (its echo of a key does not
# count) that matches $2 (anything when empty), for at most $3 seconds; then
# until nothing new comes for a second, for at most six seconds more.
settle() {
    end=$(($(date +%s) + $3))
    until tail -n +$(($1 + 1)) "$speech" | grep -v "' {.*}\$" | grep -q -e "${2:-.}"; do
        [ "$(date +%s)" -ge "$end" ] && break
        sleep 0.1
    done
    quiet=0
    count=$(lines)
    end=$(($(date +%s) + 6))
    while [ "$quiet" -lt 10 ] && [ "$(date +%s)" -lt "$end" ]; do
        sleep 0.1
        now=$(lines)
        if [ "$now" -eq "$count" ]; then quiet=$((quiet + 1)); else quiet=0; fi
        count=$now
    done
}

# step TITLE PATTERN SECONDS KEY... : presses the keys (none for a wait),
# waits as settle does, and writes the title and what Orca said since, with
# the seconds from the keys: Orca's own words only (its echo of the keys
# and the voice data are left out; a text of several lines is joined).
step() {
    title=$1 pattern=$2 seconds=$3
    shift 3
    from=$(lines)
    t0=$(date +%s.%N)
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.2
    done
    settle "$from" "$pattern" "$seconds"
    printf '\n== %s\n' "$title" >> "$out"
    tail -n +$((from + 1)) "$speech" | awk -v t0="$t0" '
        function flush() {
            if (text == "") return
            if (text ~ /^\047.*\047 \{.*\}$/) { echoed++; text = ""; return }
            sub(/^\047/, "", text); sub(/\047( voice=[a-z]+)?$/, "", text)
            printf "   %5.1f s  %s\n", at - t0, text; said++; text = ""
        }
        /^[0-9]+\.[0-9]+ SPEECH OUTPUT: / {
            flush(); at = $1; sub(/^[0-9.]+ SPEECH OUTPUT: /, ""); text = $0; next
        }
        { text = text " " $0 }
        END { flush(); if (!said) print echoed ? "   (nothing; only the keys were echoed)" : "   (nothing)" }
    ' >> "$out"
}

{
    echo "What Orca $(orca --version 2>/dev/null | sed 's/^Orca //') says while the lesson is gone through with the keyboard"
    echo "(Qt $(dpkg-query -W -f '${Version}' libqt6gui6 2>/dev/null), $(date '+%Y-%m-%d %H:%M'))."
    echo "Each step: the keys pressed, then Orca's utterances with the seconds since the keys"
    echo "(an utterance is listed even where the next key would cut it short)."
} > "$out"
settle 0 "" 30
[ -s "$speech" ] || { echo "Orca did not start" >&2; exit 1; }

(cd "$work/lesson" && exec ./urok) >"$work/urok.log" 2>&1 &
lesson=$!
step "The lesson starts (no key)" "Програмиран урок" 30
step "Tab: to the plan" "" 3 Tab
step "Return: point 1 is chosen" "" 3 Return
step "F2: the time left of point 1" "" 3 F2
step "Tab: to the picture of the point" "" 3 Tab
step "Shift+Tab: back to the plan" "" 3 shift+Tab
step "Alt+З while the point is written" "" 3 alt+Cyrillic_ze
step "(no key) until point 1 is written" "записана" 70
step "Down: to point 2" "" 3 Down
step "Return: point 2 is chosen (it is written in 2 s)" "" 3 Return
step "(no key) until point 2 is written" "Точка 2" 10
step "Up: back to point 1" "" 3 Up
step "Alt+З: Задачи/Речник" "" 3 alt+Cyrillic_ze
step "Down: to task 2" "" 3 Down
step "Return: task 2 is chosen" "" 3 Return
step "Alt+Д: Да" "" 3 alt+Cyrillic_de
step "Alt+Д: Да" "" 3 alt+Cyrillic_de
step "Tab: to the task's condition" "" 3 Tab
step "Tab: to the hint" "" 3 Tab
step "Tab: to the answer field" "" 3 Tab
step "a, b, c typed" "" 3 a b c
step "F2: the time left of the task" "" 3 F2
step "Alt+Ф: the Focus window" "" 3 alt+Cyrillic_ef
step "(no key) until task 2 gives its hint, 23 s after it began" "упътване" 30
step "Escape: the Focus window closes" "" 3 Escape
step "Alt+В: back to the lesson" "" 3 alt+Cyrillic_ve
step "Alt+И: Изход" "" 3 alt+Cyrillic_i
step "Alt+Д: Да, the lesson ends" "" 3 alt+Cyrillic_de
# With a screen reader the lesson says the answers written before it closes.
tries=0
while kill -0 "$lesson" 2>/dev/null && [ "$tries" -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
if kill -0 "$lesson" 2>/dev/null; then
    echo "   (the lesson is still running)" >> "$out"
    exit 1
fi
lesson=
[ -f "$work/lesson/OTGOWORI.TXT" ] && echo "   (the lesson has ended; OTGOWORI.TXT is written)" >> "$out"
exit 0
