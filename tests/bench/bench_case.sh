#!/bin/sh
# Runs the bench on a panel folder laid out for one test, and checks its exit
# status and what it prints.
# usage: bench_case.sh WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR PANEL-CFG SCRIPT STATUS
#            [has=TEXT | lacks=TEXT | file=PATH | copy=PATH:NAME | sounds=DIR | drop=NAME | cut=NAME:BYTES |
#             png=NAME | exists=PATH | absent=PATH | out=FOLDER | arg=ARG]...
#   has/lacks  text the output (stdout and stderr) must or must not hold
#   file       copied into the panel folder beside the gauge files
#   copy       PATH copied into the panel folder as NAME
#   sounds     a folder whose .wav files go where the ignition gauge opens them
#   drop       NAME: a sound file laid out by an earlier sounds= is taken away again
#   cut        NAME:BYTES: such a sound file keeps only its first BYTES bytes
#   png        a snapshot the run must leave in the output folder as a PNG file
#   exists     a file the run must leave, relative to WORK-DIR
#   absent     a file or folder the run must not leave, relative to WORK-DIR
#   out        the --out folder, relative to WORK-DIR (default out; none: no --out)
#   arg        passed on to the bench
set -u
wine_run=$1 bench=$2 gauges=$3 work=$4 config=$5 script=$6 status=$7
shift 7
rm -rf "$work"
panel="$work/Aircraft/test/panel"
mkdir -p "$panel"
cp "$gauges"/*.gau "$panel/"
[ "$config" = none ] || cp "$config" "$panel/panel.cfg"
set --  "$@" end
args=""
checks=""
out=out
for item in "$@"; do
    case "$item" in
    file=*) cp -r "${item#file=}" "$panel/" ;;
    copy=*) copy=${item#copy=} && cp "${copy%:*}" "$panel/${copy##*:}" ;;
    out=*) out=${item#out=} ;;
    sounds=*) mkdir -p "$work/Aircraft/sound/kaprelo" && cp "${item#sounds=}"/*.wav "$work/Aircraft/sound/kaprelo/" ;;
    drop=*) rm -f "$work/Aircraft/sound/kaprelo/${item#drop=}" ;;
    cut=*)
        cut=${item#cut=}
        sound="$work/Aircraft/sound/kaprelo/${cut%:*}"
        head -c "${cut##*:}" "$sound" >"$sound.cut" && mv "$sound.cut" "$sound" ;;
    arg=*) args="$args ${item#arg=}" ;;
    end) ;;
    has=* | lacks=* | png=* | exists=* | absent=*) checks="$checks
$item" ;;
    # CMake splits a quoted argument at each ';': the parts belong to the check before them.
    *) checks="$checks;$item" ;;
    esac
done
cd "$work"
script_args=""
if [ "$script" != none ]; then
    cp "$script" script.txt
    script_args="--script script.txt"
fi
out_args=""
[ "$out" = none ] || out_args="--out $out"
# shellcheck disable=SC2086
"$wine_run" "$bench" Aircraft/test/panel/panel.cfg $script_args $out_args $args >output.txt 2>&1
found=$?
cat output.txt
failed=0
if [ "$found" -ne "$status" ]; then
    echo "FAIL: expected exit status $status, found $found"
    failed=1
fi
echo "$checks" | while IFS= read -r check; do
    case "$check" in
    has=*) grep -qF -- "${check#has=}" output.txt || { echo "FAIL: expected in the output: ${check#has=}"; exit 1; } ;;
    lacks=*) ! grep -qF -- "${check#lacks=}" output.txt || { echo "FAIL: not expected in the output: ${check#lacks=}"; exit 1; } ;;
    png=*) head -c 8 "$out/${check#png=}" 2>/dev/null | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" ||
        { echo "FAIL: expected the PNG snapshot $out/${check#png=}"; exit 1; } ;;
    exists=*) [ -f "${check#exists=}" ] || { echo "FAIL: expected the file ${check#exists=}"; exit 1; } ;;
    absent=*) [ ! -e "${check#absent=}" ] || { echo "FAIL: expected no ${check#absent=}"; exit 1; } ;;
    esac
done || failed=1
exit $failed
