#!/bin/sh
# Starts the lesson from its folder. The program reads its configuration
# file (OPTIM.UFG) and writes the pupil's files (OPTIM_NN.TXT, OTGOWORI.TXT)
# in the folder it is started from, so it is started from the lesson folder.
# A lesson folder that cannot be written (the lesson installed for every
# user under /opt/urok) is not a place for the pupil's files: the lesson
# then runs from the folder ~/urok (or $UROK_FOLDER), which gets a copy of
# the configuration file whenever the installed one is newer.
here=$(dirname "$(readlink -f "$0")")
if [ -w "$here" ]; then
    cd "$here" || exit 1
else
    work=${UROK_FOLDER:-$HOME/urok}
    mkdir -p "$work" || exit 1
    for config in "$here"/*.UFG; do
        [ -e "$config" ] && cp -u -p "$config" "$work/"
    done
    cd "$work" || exit 1
fi
exec "$here/urok" "$@"
