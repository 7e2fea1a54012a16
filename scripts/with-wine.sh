#!/bin/sh
# Runs a command that starts Wine where this machine's Wine runs: here, or in
# the emulated machine (scripts/wine-vm/) where this machine cannot run 32-bit
# x86 code at all.
here=$(dirname "$0")
if [ "$("$here/which-wine.sh" | head -n 1)" = vm ]; then
    exec "$here/wine-vm/run" "$@"
fi
exec "$@"
