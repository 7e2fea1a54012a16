#!/bin/sh
# Runs the demo scenario twice with a HOME that has no .asoundrc (ALSA set up
# for no sound card) and checks that both runs pass and leave the same trace,
# snapshots and sound track, byte for byte; and that the track holds every
# sound the demo plays whole (check_sound_track.py).
# usage: bench_repeatable_demo.sh WINE-RUN BENCH-EXE GAUGE-DIR SOUNDS-DIR PANEL-CFG SCENARIO WORK-DIR CLICK.wav
set -u
wine_run=$1 bench=$2 gauges=$3 sounds=$4 config=$5 scenario=$6 work=$7 click=$8
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work/home" "$work/Aircraft/kaprelo/panel" "$work/Aircraft/sound/kaprelo"
# The panel configuration with the files beside it (its background).
cp "$gauges"/*.gau "$(dirname "$config")"/* "$work/Aircraft/kaprelo/panel/"
cp "$sounds"/*.wav "$work/Aircraft/sound/kaprelo/"
cp "$scenario" "$work/demo.scenario"
sed "s|^export HOME=.*|export HOME=\"$work/home\"|" "$wine_run" >"$work/wine-run"
cd "$work" || exit 1
for run in 1 2; do
    sh ./wine-run "$bench" Aircraft/kaprelo/panel/panel.cfg --script demo.scenario --out out \
        --audio out/demo.wav >"output$run.txt" 2>&1
    status=$?
    if [ "$status" -ne 0 ]; then
        cat "output$run.txt"
        echo "FAIL: run $run exited with status $status"
        exit 1
    fi
    mv out "out$run"
done
failed=0
for name in trace.txt demo.wav 1-at-rest.png 6-master-off.png; do
    [ -s "out1/$name" ] || { echo "FAIL: the demo left no out/$name"; failed=1; }
done
if ! diff -r out1 out2; then
    echo "FAIL: the two runs differ"
    failed=1
fi
ls -l out1
python3 "$here/sound/check_sound_track.py" out1/trace.txt out1/demo.wav "$click" "$sounds/Eg.wav:6.3" \
    "$sounds/Stop.wav:3.2" || failed=1
exit $failed
