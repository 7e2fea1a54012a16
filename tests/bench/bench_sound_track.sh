#!/bin/sh
# Runs a bench case that writes the panel's sound track into out/track.wav,
# then checks the track against the sounds the gauges play.
# usage: bench_sound_track.sh CLICK.wav STARTER.wav STOP.wav BENCH-CASE-ARGUMENTS...
#   (bench_case.sh's arguments; the fourth is the case's folder)
set -u
click=$1 starter=$2 stop=$3
shift 3
here=$(dirname "$0")
sh "$here/bench_case.sh" "$@" || exit 1
python3 "$here/check_sound_track.py" "$4/out/trace.txt" "$4/out/track.wav" "$click" "$starter:6.3" "$stop:3.2"
