#!/bin/sh
# Runs a bench case that writes the panel's sound track into out/track.wav,
# then checks the track against the sounds the gauges play.
# usage: bench_sound_track.sh SOUNDS BENCH-CASE-ARGUMENTS...
#   SOUNDS: every sound the case plays, '|' between them, each SOUND.wav[:SECONDS]
#   as check_sound_track.py takes it; then bench_case.sh's arguments (the
#   fourth is the case's folder)
set -u
sounds=$1
shift
here=$(dirname "$0")
sh "$here/../bench_case.sh" "$@" || exit 1
case=$4
IFS='|'
# shellcheck disable=SC2086
set -- $sounds
unset IFS
python3 "$here/check_sound_track.py" "$case/out/trace.txt" "$case/out/track.wav" "$@"
