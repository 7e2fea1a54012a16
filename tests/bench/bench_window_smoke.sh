#!/bin/sh
# The bench's window under a virtual X display: a mouse click on the master
# switch and a screenshot of the window. The window runs in a Wine prefix and
# session of its own: the test prefix's session was started without a display.
# usage: bench_window_smoke.sh BENCH-EXE GAUGE-DIR WORK-DIR SCRIPT WINE-RUN WINE-SERVER
#   WINE-RUN runs Wine in that prefix; WINE-SERVER is cmake/wine-server.sh.
# Exits 77 (skipped) when Xvfb or xauth is missing.
set -u
bench=$1 gauges=$2 work=$3 script=$4 wine_run=$5 wine_server=$6
command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null && command -v xauth >/dev/null || {
    echo "Xvfb or xauth is not installed: skipped"
    exit 77
}
rm -rf "$work"
mkdir -p "$work/Aircraft/test/panel"
cp "$gauges"/Brennovalux.gau "$gauges"/Delvarotine.gau "$work/Aircraft/test/panel/"
cat >"$work/Aircraft/test/panel/panel.cfg" <<'CFG'
[Window00]
size=240, 120
gauge00=Brennovalux, 20, 40
gauge01=Delvarotine, 100, 40
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
for shot in before.png window.png panel.png; do
    head -c 8 "out/$shot" 2>/dev/null | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" ||
        { echo "FAIL: no PNG out/$shot"; exit 1; }
done
grep -qF "click (40, 70): Brennovalux" output.txt || { echo "FAIL: the click did not reach the switch"; exit 1; }
