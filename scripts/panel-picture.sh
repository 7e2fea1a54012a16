#!/bin/sh
# Draws the README's picture of the panel: runs the demo scenario on the
# bench, with the example panel (its configuration and background) and the ignition's sounds laid
# out as in the simulator's folder, and copies its snapshot of the engine
# running (the master switch on, the ignition's running lamp lit) to OUT.png.
# usage: panel-picture.sh WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR OUT.png
set -eu
if [ $# -ne 5 ]; then
    echo "usage: panel-picture.sh WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR OUT.png" >&2
    exit 2
fi
wine_run=$1 bench=$2 gauges=$3 work=$4 out=$5
source=$(cd "$(dirname "$0")/.." && pwd)
snapshot=4-engine-running.png
rm -rf "$work"
mkdir -p "$work/Aircraft/kaprelo/panel" "$work/Aircraft/sound/kaprelo"
cp "$gauges"/Brennovalux.gau "$gauges"/Delvarotine.gau "$source"/panel_example/* \
    "$work/Aircraft/kaprelo/panel/"
cp "$source"/ignition/sounds/*.wav "$work/Aircraft/sound/kaprelo/"
if ! "$wine_run" "$bench" "$work/Aircraft/kaprelo/panel/panel.cfg" \
    --script "$source/bench/demo.scenario" --out "$work/out" >"$work/output.txt" 2>&1; then
    cat "$work/output.txt"
    echo "panel-picture.sh: the demo scenario failed on the bench (above)" >&2
    exit 1
fi
if [ ! -f "$work/out/$snapshot" ]; then
    echo "panel-picture.sh: the demo scenario left no snapshot $snapshot in $work/out" >&2
    exit 1
fi
cp "$work/out/$snapshot" "$out"
