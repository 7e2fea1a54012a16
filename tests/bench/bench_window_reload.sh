#!/bin/sh
# The bench's window under a virtual X display, reloaded by the script's
# reload command after the test edits panel.cfg (the master switch taken
# out, the window made larger, which the main window follows) and then
# rebuilds a gauge file while the bench runs it. The gauge
# files run from copies in a folder of the run's own, gone at the end.
# usage: bench_window_reload.sh BENCH-EXE GAUGE-DIR WORK-DIR SCRIPT WINE-RUN WINE-SERVER
# Exits 77 (skipped) when Xvfb or xauth is missing.
set -u
bench=$1 gauges=$2 work=$3 script=$4 wine_run=$5 wine_server=$6
. "$(dirname "$0")/window_test.sh"
need_display
new_panel "$work" "$gauges"
cat >"$panel/panel.cfg" <<'CFG'
[Window Titles]
Window00=Main
[Window00]
size_mm=240, 120
position=7
gauge00=Brennovalux, 20, 40
gauge01=Delvarotine, 100, 30
CFG
cp "$script" "$work/script.txt"
cd "$work" || exit 1
users="$("$wine_run" --prefix)/drive_c/users"
copies() { find "$users" -maxdepth 6 -type d -name 'panel-bench-*' 2>/dev/null | sort; }
copies_before=$(copies)
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
    "$3" start "$2"
    "$2" "$1" Aircraft/test/panel/panel.cfg --window --script script.txt --out out </dev/null
    status=$?
    "$3" stop "$2"
    exit $status' reload "$bench" "$wine_run" "$wine_server" >output.txt 2>&1 &
running=$!
# Waits for a line of the trace, at most a minute.
wait_for() {
    for attempt in $(seq 600); do
        grep -qF -- "$1" output.txt && return 0
        kill -0 $running 2>/dev/null || break
        sleep 0.1
    done
    echo "FAIL: no \"$1\" in the output"
    return 1
}
failed=0
if wait_for "== edit panel.cfg"; then
    copies | grep -q . || { echo "FAIL: no folder of gauge file copies while the bench runs"; failed=1; }
    sed -i -e '/^gauge00=Brennovalux/d' -e 's/^size_mm=240, 120/size_mm=300, 160/' "$panel/panel.cfg"
fi
# The rebuild writes over the file the bench runs (from its copy).
wait_for "== rebuild Delvarotine.gau" && cp "$gauges/Brennovalux.gau" "$panel/Delvarotine.gau"
wait $running
status=$?
cat output.txt
[ "$status" -eq 0 ] || { echo "FAIL: the bench exited with $status"; exit 1; }
for shot in edited.png rebuilt.png; do
    head -c 8 "out/$shot" 2>/dev/null | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" ||
        { echo "FAIL: no PNG out/$shot"; failed=1; }
done
for line in "reload: script.txt:10" "reload: 00:gauge00 (Brennovalux) taken out" "Brennovalux: killed" \
    "reload: window 00 now 300 x 160 pixels (was 240 x 120 pixels)" \
    "click (40, 70): no gauge region there" "reload: script.txt:19" \
    "Delvarotine: install \"Toggle-type Master Switch\"" "reload: F5"; do
    grep -qF -- "$line" output.txt || { echo "FAIL: expected in the output: $line"; failed=1; }
done
! grep -q 'panel-bench-' output.txt || { echo "FAIL: a copy's path in the output"; failed=1; }
[ "$(copies)" = "$copies_before" ] || { echo "FAIL: copies left behind: $(copies)"; failed=1; }
exit $failed
