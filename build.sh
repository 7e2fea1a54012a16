#!/bin/sh
# Installs what is missing (scripts/install-tools.sh), builds the gauge files,
# lays out the install folder install/ as the simulator's own folder expects
# it and runs the bench's demo into demo/.
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
(cd install && ../scripts/with-wine.sh ../build/windows/wine-run bench/bench.exe \
    Aircraft/kaprelo/panel/panel.cfg --script bench/demo.scenario --out ../demo >/dev/null)
echo "   trace and snapshots in $PWD/demo/:"
ls demo | sed 's/^/   /'
kind=$(scripts/wine-kind.sh)
window="bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window"
if why=$(scripts/wine-$kind/wine --version 2>&1 >/dev/null); then
    echo "== to open the panel in a window (needs a display):"
    echo "   cd install && ../scripts/wine-$kind/wine $window"
else
    echo "== no window here: $why"
fi
