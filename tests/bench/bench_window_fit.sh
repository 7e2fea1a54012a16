#!/bin/sh
# The bench's window on a 1366 x 768 screen with a panel that is 2300 x 1300
# pixels laid out: the main window lies within the screen's work area, fit
# shows every panel window whole, a mouse click reaches the master switch at
# the main window's right edge through the zoom, and window snapshots match
# the panel scaled by the one formula at fit, 100%, the steps of + and - and
# with --zoom. The window runs in the window test's own Wine prefix and
# session, under a virtual X display.
# usage: bench_window_fit.sh BENCH-EXE GAUGE-DIR WORK-DIR DATA-DIR WINE-RUN WINE-SERVER
# Exits 77 (skipped) when Xvfb or xauth is missing.
set -u
bench=$1 gauges=$2 work=$3 data=$4 wine_run=$5 wine_server=$6
here=$(dirname "$0")
. "$(dirname "$0")/window_test.sh"
need_display
new_panel "$work" "$gauges"
cp "$data/large_panel.cfg" "$panel/panel.cfg"
python3 "$here/write_pattern_bitmap.py" "$panel/main.bmp" 1280 800 60 &&
python3 "$here/write_pattern_bitmap.py" "$panel/overhead.bmp" 510 500 120 &&
python3 "$here/write_pattern_bitmap.py" "$panel/left.bmp" 510 500 180 &&
python3 "$here/write_pattern_bitmap.py" "$panel/right.bmp" 510 500 240 || { echo "FAIL: no backgrounds"; exit 1; }
cp "$data/window_fit.scenario" "$work/fit.txt"
cp "$data/window_zoom_option.scenario" "$work/zoom.txt"
cd "$work"
# One server for both runs, started and stopped inside the display.
xvfb-run -a -s "-screen 0 1366x768x24" sh -c '
    "$3" start "$2"
    # What the X server holds of the window, seen from outside the bench.
    if command -v xwininfo >/dev/null; then
        while :; do xwininfo -root -tree 2>/dev/null | grep -F "\"Panel bench"; sleep 0.2; done >x_windows.txt &
        poller=$!
    fi
    "$2" "$1" Aircraft/test/panel/panel.cfg --window --script fit.txt --out fit </dev/null >fit.log 2>&1
    fit=$?
    [ -z "${poller:-}" ] || kill $poller
    "$2" "$1" Aircraft/test/panel/panel.cfg --window --zoom 70 --script zoom.txt --out zoom </dev/null >zoom.log 2>&1
    zoom=$?
    "$3" stop "$2"
    echo "exit statuses: fit $fit, zoom $zoom"
    [ $fit -eq 0 ] && [ $zoom -eq 0 ]' fit "$bench" "$wine_run" "$wine_server" >output.txt 2>&1
status=$?
# Wine's console ends lines in CR LF.
for log in fit.log zoom.log; do tr -d '\r' <"$log" >"$log.txt" && mv "$log.txt" "$log"; done
cat fit.log zoom.log output.txt
[ "$status" -eq 0 ] || { echo "FAIL: the bench did not end both runs with 0"; exit 1; }
failed=0
fail() { echo "FAIL: $1"; failed=1; }
# "main window W x H pixels at (X, Y), client area ..., in the work area WW x WH at (WX, WY); zoom ..."
within_work_area() {
    sed -n 's/.*main window \([0-9]*\) x \([0-9]*\) pixels at (\(-*[0-9]*\), \(-*[0-9]*\)), client area .*, in the work area \([0-9]*\) x \([0-9]*\) at (\(-*[0-9]*\), \(-*[0-9]*\)).*/\1 \2 \3 \4 \5 \6 \7 \8/p' "$1" |
        { read -r w h x y ww wh wx wy || exit 1
          echo "$1: main window $w x $h at ($x, $y), work area $ww x $wh at ($wx, $wy)"
          [ "$ww" -eq 1366 ] && [ "$wh" -eq 768 ] && [ "$x" -ge "$wx" ] && [ "$y" -ge "$wy" ] &&
              [ $((x + w)) -le $((wx + ww)) ] && [ $((y + h)) -le $((wy + wh)) ]; }
}
within_work_area fit.log || fail "the window does not lie within the 1366 x 768 screen's work area"
within_work_area zoom.log || fail "the window at 70% does not lie within the screen's work area"
# The X server's window for the client area, with the zoom in its title: "WxH+X+Y".
if [ -f x_windows.txt ]; then
    place=$(sed -n 's/.*"Panel bench - [0-9]*% (fit)": .* \([0-9]*\)x\([0-9]*\)+\(-*[0-9]*\)+\(-*[0-9]*\) .*/\1 \2 \3 \4/p' x_windows.txt | head -1)
    echo "the X window titled with the fit: $place (width, height, x, y)"
    set -- $place
    [ $# -eq 4 ] && [ "$3" -ge 0 ] && [ "$4" -ge 0 ] && [ $(($1 + $3)) -le 1366 ] && [ $(($2 + $4)) -le 768 ] ||
        fail "no window titled with its fit zoom lies within the 1366 x 768 screen"
else
    echo "xwininfo is not installed: the window's place is checked from the bench's own report only"
fi
grep -q "main window .*; zoom fit$" fit.log || fail "the window did not open at fit"
grep -q "main window .*; zoom 70%$" zoom.log || fail "--zoom 70 did not open the window at 70%"
[ "$(grep -c "of window 00, pixel (.*): Brennovalux at" fit.log)" -eq 2 ] ||
    fail "the mouse clicks at the main window's right edge did not both reach the master switch"
grep -q "no gauge region there" fit.log && fail "a mouse click met no gauge"
for line in "zoom 100%" "zoom fit" "zoom 64%" "zoom 51%" "zoom 41%" "zoom 125%" "window 01 shown"; do
    grep -qE "^\[tick +[0-9]+\] $line\$" fit.log || fail "no trace line \"$line\""
done
grep -qE "^\[tick +[0-9]+\] zoom 80%\$" zoom.log || fail "+ did not go from 70% to 80%"
# A PNG's width and height, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" 2>/dev/null | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 " x " $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'; }
[ "$(png_size fit/full.png)" = "510 x 500" ] || fail "window 03 at 100% is not 510 x 500 pixels: $(png_size fit/full.png)"
# At fit, the main window is shown at some 57% (the client area's height over 1300).
set -- $(png_size fit/fit.png)
[ "${1:-0}" -gt 640 ] && [ "${1:-0}" -lt 768 ] && [ "${3:-0}" -gt 400 ] && [ "${3:-0}" -lt 480 ] ||
    fail "window 00 at fit is $* pixels, not some 57% of 1280 x 800"
exit $failed
