#!/bin/sh
# Installs what is missing (scripts/install-tools.sh), builds the gauge files,
# lays out the install folder install/ as the simulator's own folder expects
# it, makes the release package build/windows/panel-gauges-<version>-win32.zip
# and runs the bench's demo into demo/, with its video.
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
    --frames ../build/demo-frames --audio ../demo/demo.wav >/dev/null)

# ---- The demo's video: demo/demo.mp4 (with demo/demo.wav as its sound track
# ---- when the demo wrote one) and demo/demo.gif, from the frames of every tick.
echo "== making the demo's video with ffmpeg"
scripts/make-demo-video.sh build/demo-frames demo
# ---- end of the demo's video

echo "   trace, snapshots, sound track and video in $PWD/demo/:"
ls demo | sed 's/^/   /'
kind=$(scripts/wine-kind.sh)
window="bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window"
if why=$(scripts/wine-$kind/wine --version 2>&1 >/dev/null); then
    echo "== to open the panel in a window (needs a display):"
    echo "   cd install && ../scripts/wine-$kind/wine $window"
else
    echo "== no window here: $why"
fi
