#!/bin/sh
# Runs a command that starts Wine where the build tree's Wine runs: on this
# machine, or in the emulated machine where this one cannot run 32-bit x86
# code at all (scripts/wine-KIND/run).
# usage: with-wine.sh COMMAND [ARGUMENT...]
here=$(dirname "$0")
kind=$("$here/wine-kind.sh") || exit 1
exec "$here/wine-$kind/run" "$@"
