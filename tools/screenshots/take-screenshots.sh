#!/bin/sh
# Screenshots of the main window, the tasks window and the colour window at
# 100 %, 150 % and 200 % scaling, to check that the windows keep their
# proportions and that no text is cut off on a HiDPI screen, and to compare
# two builds pixel by pixel.
#
#   tools/screenshots/take-screenshots.sh OUTPUT-FOLDER [BUILD-FOLDER]
#
# BUILD-FOLDER is the CMake build folder (default: build); the lesson is
# started from a copy of its lesson folder, with a configuration that opens
# the tasks window without waiting for the plan. Writes
# OUTPUT-FOLDER/{main,main-writing,tasks,colours}-{100,150,200}.png;
# SCALES="100" (or any of 100 150 200) takes fewer.
#
# Two runs over the same build give the same pixels: the lesson's clock
# (libfaketime) stands still and moves only when this script moves it, so
# its countdowns and the caret show the same moment whatever the machine's
# load; each picture is taken once the window has stopped changing.
#
# Needs (Debian): apt-get install xvfb xauth xdotool imagemagick libfaketime
set -eu

[ $# -ge 1 ] || { echo "usage: $0 OUTPUT-FOLDER [BUILD-FOLDER]" >&2; exit 2; }
out=$1
build=${2:-build}
scales=${SCALES:-100 150 200}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
needs="apt-get install xvfb xauth xdotool imagemagick libfaketime"

for tool in xvfb-run xdotool import compare; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$0: $tool is missing ($needs)" >&2; exit 1; }
done
faketime_library=""
for f in /usr/lib/*/faketime/libfaketimeMT.so.1 /usr/lib/faketime/libfaketimeMT.so.1; do
    [ -f "$f" ] && { faketime_library=$f; break; }
done
[ -n "$faketime_library" ] || { echo "$0: libfaketime is missing ($needs)" >&2; exit 1; }
[ -x "$build/lesson/urok" ] || { echo "$0: no $build/lesson/urok; build first" >&2; exit 1; }
for percent in $scales; do
    case $percent in 100 | 150 | 200) ;; *) echo "$0: no scale $percent % (100, 150, 200)" >&2; exit 2 ;; esac
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
build=$(cd "$build" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The default profile with option 16 on: the tasks window opens at once.
sed 's/^option 16 = 0/option 16 = 1/' "$source_dir/config/OPTIM.profile" >"$work/OPTIM.profile"
"$build/tools/urok-setup/urok-setup" write "$work/OPTIM.profile" "$work/OPTIM.UFG" >/dev/null

# One scale: runs inside its own X server.
cat >"$work/one-scale.sh" <<'SCRIPT'
#!/bin/sh
set -eu
program=$1 folder=$2 out=$3 percent=$4 faketime_library=$5

# The lesson's clock: a stopped time in a file that libfaketime reads at
# every look at the clock (realtime and monotonic alike). Qt's timers and
# the lesson's ticks come due only when clock_at moves it on; the ticks due
# are then delivered at once, as after a busy spell.
clock="$folder/clock"
clock_at() { # sets the lesson's clock to $1 seconds past its start
    awk -v s="$1" 'BEGIN { printf "2024-09-16 08:00:%04.1f\n", s }' >"$clock.new"
    mv "$clock.new" "$clock"
    sleep 1                                # the lesson wakes up and redraws
}
start_lesson() {
    printf '2024-09-16 08:00:00\n' >"$clock"
    TZ=UTC LD_PRELOAD="$faketime_library" FAKETIME_TIMESTAMP_FILE="$clock" FAKETIME_NO_CACHE=1 \
        "$program" &
    lesson=$!
}

window() { # waits for a window whose title starts with $1
    i=0
    while [ $i -lt 100 ]; do
        id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
        i=$((i + 1))
    done
    echo "no window $1" >&2
    return 1
}
shot() { # focuses window $1 and saves it as $2 once two looks at it agree
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    file="$out/$2-$percent.png"
    sleep 1
    import -define png:exclude-chunks=date,time -window "$1" "$file"
    i=0
    while [ $i -lt 20 ]; do
        sleep 0.5
        import -define png:exclude-chunks=date,time -window "$1" "$folder/again.png"
        [ "$(compare -metric AE "$file" "$folder/again.png" null: 2>&1 || true)" = 0 ] && return 0
        mv "$folder/again.png" "$file"
        i=$((i + 1))
    done
    echo "window $2 kept changing" >&2
    return 1
}
keys() { xdotool key --delay 150 "$@"; sleep 1; }

cd "$folder"
start_lesson
trap 'kill $lesson 2>/dev/null || true' EXIT

main=$(window "Програмиран урок")
shot "$main" main
xdotool windowfocus --sync "$main" 2>/dev/null || true
keys F10 Right Right Right Return          # Задачи/Речник
tasks=$(window "Комбиниран урок")
clock_at 1.5                               # the task's countdown shows its seconds
shot "$tasks" tasks
keys F10 Return                            # Връщане към урока
main=$(window "Програмиран урок")
xdotool windowfocus --sync "$main" 2>/dev/null || true
keys F10 Right Right Return                # Цвят/шрифт
colours=$(window "Формиране на цвят")
shot "$colours" colours
keys Escape                                # Отказ
kill $lesson
wait $lesson 2>/dev/null || true

# A fresh start, the first point of the plan chosen: the countdown bar moves.
start_lesson
main=$(window "Програмиран урок")
sleep 2                                    # the window is laid out and ready
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 1
keys Tab                                   # the plan
keys Home Return                           # its first point
clock_at 3.5                               # three seconds of it
shot "$main" main-writing
SCRIPT

for percent in $scales; do
    case $percent in 100) scale=1 ;; 150) scale=1.5 ;; 200) scale=2 ;; esac
    folder="$work/lesson-$percent"
    mkdir -p "$folder"
    cp "$work/OPTIM.UFG" "$folder/"
    echo "scale $percent %"
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
        timeout -k 5 180 xvfb-run -a -s "-noreset -screen 0 2560x2000x24" \
        sh "$work/one-scale.sh" "$build/lesson/urok" "$folder" "$out" "$percent" "$faketime_library"
done
ls "$out"
