#!/bin/sh
# The README's two commands, on any Debian machine, make or no make:
#   ./make.sh run    install what is missing, build, start the lesson
#   ./make.sh test   install what is missing, build, run the whole test suite
# Any other target of the Makefile works the same way (./make.sh tidy).
# Needs only the POSIX shell and apt-get: scripts/install-deps installs the
# missing Debian packages (make among them) as root or through sudo, then
# make does the rest; with make at hand, `make run` is the same thing.
set -eu
cd "$(dirname "$0")"
sh scripts/install-deps
exec make "$@"
