#!/bin/sh
# Builds the gauge files, lays out the install folder install/ as the
# simulator's own folder expects it and makes the release package
# build/windows/panel-gauges-<version>-win32.zip.
set -e
cd "$(dirname "$0")"
scripts/install-tools.sh
echo "== configuring the 32-bit Windows build in build/windows"
cmake --preset windows >/dev/null
echo "== building the gauge files"
cmake --build --preset windows -j"$(nproc)"
echo "== laying out the install folder"
rm -rf install
cmake --install build/windows --prefix "$PWD/install" >/dev/null
find install -type f | sort | sed 's/^/   /'
echo "== checking the gauge files and making the release package"
python3 gauge_file_check/check_gauge_file.py build/windows/bin/Brennovalux.gau \
    build/windows/bin/Delvarotine.gau
cmake --build --preset windows --target release_package >/dev/null
ls build/windows/panel-gauges-*-win32.zip | sed 's/^/   /'
echo "== running the demo scenario on the bench (headless, under Wine)"
rm -rf demo build/demo-frames
(cd install && ../scripts/with-wine.sh ../build/windows/wine-run bench/bench.exe \
    Aircraft/kaprelo/panel/panel.cfg --script bench/demo.scenario --out ../demo \
    --frames ../build/demo-frames >/dev/null)

# ---- The demo's video: demo/demo.mp4 (with demo/demo.wav as its sound track
# ---- when the demo wrote one) and demo/demo.gif, from the frames of every tick.
echo "== making the demo's video with ffmpeg"
scripts/make-demo-video.sh build/demo-frames demo
# ---- end of the demo's video

echo "   trace, snapshots and video in $PWD/demo/:"
ls demo | sed 's/^/   /'
echo "== to open the panel in a window (needs a display):"
case "$(scripts/which-wine.sh | head -n 1)" in
i386) echo "   cd install && wine bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window" ;;
wow64) echo "   cd install && ../scripts/wine-wow64/wine bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window" ;;
vm) echo "   on a machine that runs 32-bit x86 code: this one runs Wine only in an emulated machine without a display" ;;
esac
