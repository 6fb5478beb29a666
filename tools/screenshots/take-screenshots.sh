#!/bin/sh
# Screenshots of the main window, the tasks window and the colour window at
# 100 %, 150 % and 200 % scaling, to check that the windows keep their
# proportions and that no text is cut off on a HiDPI screen.
#
#   tools/screenshots/take-screenshots.sh OUTPUT-FOLDER [BUILD-FOLDER]
#
# BUILD-FOLDER is the CMake build folder (default: build); the lesson is
# started from a copy of its lesson folder, with a configuration that opens
# the tasks window without waiting for the plan. Writes
# OUTPUT-FOLDER/{main,main-writing,tasks,colours}-{100,150,200}.png.
#
# Needs (Debian): apt-get install xvfb xauth xdotool imagemagick
set -eu

[ $# -ge 1 ] || { echo "usage: $0 OUTPUT-FOLDER [BUILD-FOLDER]" >&2; exit 2; }
out=$1
build=${2:-build}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "$0: $tool is missing (apt-get install xvfb xauth xdotool imagemagick)" >&2
        exit 1
    }
done
[ -x "$build/lesson/urok" ] || { echo "$0: no $build/lesson/urok; build first" >&2; exit 1; }

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
program=$1 folder=$2 out=$3 percent=$4

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
shot() { # focuses window $1 and saves it as $2
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    sleep 1
    import -window "$1" "$out/$2-$percent.png"
}
keys() { xdotool key --delay 150 "$@"; sleep 1; }

cd "$folder"
"$program" &
lesson=$!
trap 'kill $lesson 2>/dev/null || true' EXIT

main=$(window "Програмиран урок")
shot "$main" main
keys F10 Right Right Right Return          # Задачи/Речник
tasks=$(window "Комбиниран урок")
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
"$program" &
lesson=$!
main=$(window "Програмиран урок")
sleep 2                                    # the window is laid out and ready
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 1
keys Tab
keys Down
sleep 3
shot "$main" main-writing
SCRIPT

for scale in 1 1.5 2; do
    case $scale in 1) percent=100 ;; 1.5) percent=150 ;; 2) percent=200 ;; esac
    folder="$work/lesson-$percent"
    mkdir -p "$folder"
    cp "$work/OPTIM.UFG" "$folder/"
    echo "scale $percent %"
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb \
        timeout -k 5 120 xvfb-run -a -s "-noreset -screen 0 2560x2000x24" \
        sh "$work/one-scale.sh" "$build/lesson/urok" "$folder" "$out" "$percent"
done
ls "$out"
