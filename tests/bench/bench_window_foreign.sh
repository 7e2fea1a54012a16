#!/bin/sh
# The bench's window under a virtual X display with gauge files of other
# makers beside ours: one whose update runs its own message loop (the
# window's ticks and clicks wait until the update returns; the update is
# never entered again from inside itself) and one whose own window procedure
# faults when the message loop dispatches to it (that gauge stops alone).
# usage: bench_window_foreign.sh BENCH-EXE GAUGE-DIR FOREIGN-DIR WORK-DIR SCRIPT WINE-RUN WINE-SERVER
# Exits 77 (skipped) when Xvfb or xauth is missing.
set -u
bench=$1 gauges=$2 foreign=$3 work=$4 script=$5 wine_run=$6 wine_server=$7
. "$(dirname "$0")/window_test.sh"
need_display
new_panel "$work" "$gauges"
cp "$foreign"/pumps_messages.gau "$foreign"/window_fault.gau "$panel/"
cat >"$panel/panel.cfg" <<'CFG'
[Window Titles]
Window00=Main
[Window00]
size_mm=240, 150
position=7
gauge00=Brennovalux, 20, 40
gauge01=Delvarotine, 110, 36
gauge02=pumps_messages, 0, 120, 30, 30
gauge03=window_fault, 30, 120, 30, 30
CFG
cp "$script" "$work/script.txt"
cd "$work"
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
    "$3" start "$2"
    timeout 120 "$2" "$1" Aircraft/test/panel/panel.cfg --window --script script.txt --out out </dev/null
    status=$?
    "$3" stop "$2"
    exit $status' foreign "$bench" "$wine_run" "$wine_server" >output.txt 2>&1
status=$?
cat output.txt
[ "$status" -eq 0 ] || { echo "FAIL: the bench exited with $status"; exit 1; }
grep -qF "warning: 00:gauge03 (window_fault) stopped in its window procedure at tick 0: access violation writing 0x00000000 at window_fault.gau+0x" output.txt ||
    { echo "FAIL: the fault in the gauge's window procedure did not stop it"; exit 1; }
! grep -qF "entered again" output.txt || { echo "FAIL: a gauge call was entered again from its own message loop"; exit 1; }
grep -qF "click (40, 70): Brennovalux" output.txt ||
    { echo "FAIL: the click did not reach the switch"; exit 1; }
grep -qF "pumps_messages: killed" output.txt || { echo "FAIL: the gauge with a message loop was not killed"; exit 1; }
grep -qF "Brennovalux: killed" output.txt || { echo "FAIL: the master switch was not killed"; exit 1; }
exit 0
