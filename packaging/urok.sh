#!/bin/sh
# Starts the lesson from its folder. The program reads its configuration
# file (OPTIM.UFG) and writes the pupil's files (OPTIM_NN.TXT, OTGOWORI.TXT)
# in the folder it is started from, so it is started from the lesson folder.
# A lesson folder that cannot be written (the lesson installed for every
# user under /opt/urok) is not a place for the pupil's files: the lesson
# then runs from the folder ~/urok (or $UROK_FOLDER), which gets a copy of
# the configuration file whenever the installed one differs from it, old
# date or new: the teacher's file is the one that counts. Where there is no
# usable home folder (HOME unset, empty, not a full path, or a folder where
# ~/urok cannot be made, as some menus and services start programs), it
# takes the user's home folder from the user database, and when that will
# not do either it runs in a folder of the user's own under /tmp, and
# says so.
here=$(dirname "$(readlink -f "$0")")
say() { echo "urok.sh: $1" >&2; }
# A folder for the pupil's files under a home folder given by its full path.
usable() {
    case $1 in /*) ;; *) return 1 ;; esac
    mkdir -p "$1/urok" 2>/dev/null && [ -w "$1/urok" ]
}
if [ -w "$here" ]; then
    cd "$here" || exit 1
else
    work=$UROK_FOLDER
    if [ -z "$work" ] && usable "$HOME"; then
        work=$HOME/urok
    elif [ -z "$work" ]; then
        home=$(getent passwd "$(id -u)" | cut -d: -f6)
        if usable "$home"; then
            work=$home/urok
        else
            work=${TMPDIR:-/tmp}/urok-$(id -u)
            mkdir -p -m 700 "$work" 2>/dev/null
            # Only a folder of this user's own, never one someone else put there.
            if [ -L "$work" ] || [ ! -O "$work" ]; then
                say "няма папка, в която урокът да записва файловете на ученика ($work е чужда)"
                exit 1
            fi
        fi
        if [ -z "$HOME" ]; then
            say "променливата HOME е празна; урокът работи в $work и файловете на ученика са там"
        else
            say "в папката HOME ($HOME) не може да се създаде папка urok; урокът работи в $work и файловете на ученика са там"
        fi
    fi
    if ! mkdir -p "$work" 2>/dev/null; then
        say "папката $work не може да бъде създадена"
        exit 1
    fi
    for config in "$here"/*.UFG; do
        [ -f "$config" ] || continue
        copy="$work/${config##*/}"
        cmp -s "$config" "$copy" && continue
        # Whole or not at all: the pupil never starts with half a file.
        if ! { cp "$config" "$copy.$$" && mv -f -T "$copy.$$" "$copy"; }; then
            rm -f "$copy.$$"
            say "${config##*/} не може да бъде копиран в $work"
        fi
    done
    cd "$work" || exit 1
fi
exec "$here/urok" "$@"
