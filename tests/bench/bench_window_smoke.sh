#!/bin/sh
# The bench's window under a virtual X display: a mouse click on the master
# switch in window 00, Shift+2 showing window 01, a click on the ignition
# there, and screenshots of both windows. The window runs in a Wine prefix and
# session of its own: the test prefix's session was started without a display.
# usage: bench_window_smoke.sh BENCH-EXE GAUGE-DIR WORK-DIR SCRIPT WINE-RUN WINE-SERVER
#   WINE-RUN runs Wine in that prefix; WINE-SERVER is cmake/wine-server.sh.
# Exits 77 (skipped) when Xvfb or xauth is missing.
set -u
bench=$1 gauges=$2 work=$3 script=$4 wine_run=$5 wine_server=$6
. "$(dirname "$0")/window_test.sh"
need_display
new_panel "$work" "$gauges"
cat >"$panel/panel.cfg" <<'CFG'
[Window Titles]
Window00=Main
Window01=Ignition
[Window00]
size_mm=240, 120
position=7
gauge00=Brennovalux, 20, 40
[Window01]
size_mm=100, 50
pixel_size=200, 100
position=2
visible=0
gauge00=Delvarotine, 10, 5, 50
CFG
cp "$script" "$work/script.txt"
cd "$work"
# One server for the whole run, started and stopped inside the display.
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
    "$3" start "$2"
    "$2" "$1" Aircraft/test/panel/panel.cfg --window --script script.txt --out out </dev/null
    status=$?
    "$3" stop "$2"
    exit $status' smoke "$bench" "$wine_run" "$wine_server" >output.txt 2>&1
status=$?
cat output.txt
[ "$status" -eq 0 ] || { echo "FAIL: the bench exited with $status"; exit 1; }
for shot in before.png window.png panel.png ignition.png; do
    head -c 8 "out/$shot" 2>/dev/null | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" ||
        { echo "FAIL: no PNG out/$shot"; exit 1; }
done
grep -qF "click (40, 70) of window 00, pixel (40, 70): Brennovalux" output.txt ||
    { echo "FAIL: the click did not reach the switch"; exit 1; }
grep -qF "window 01 shown" output.txt || { echo "FAIL: Shift+2 did not show window 01"; exit 1; }
grep -q "click (.*) of window 01, pixel (.*): Delvarotine" output.txt ||
    { echo "FAIL: the click in window 01 did not reach the ignition"; exit 1; }
