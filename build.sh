#!/bin/sh
# Builds the gauge files and lays out the install folder install/ as the
# simulator's own folder expects it.
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
echo "== running the demo scenario on the bench (headless, under Wine)"
rm -rf demo
(cd install && ../build/windows/wine-run bench/bench.exe Aircraft/kaprelo/panel/panel.cfg \
    --script bench/demo.scenario --out ../demo >/dev/null)
echo "   trace and snapshots in $PWD/demo/:"
ls demo | sed 's/^/   /'
echo "== to open the panel in a window (needs a display):"
if [ "$(scripts/which-wine.sh | head -n 1)" = wow64 ]; then wine=../scripts/wine-wow64/wine; else wine=wine; fi
echo "   cd install && $wine bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window"
