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
(cd install && ../scripts/with-wine.sh ../build/windows/wine-run bench/bench.exe \
    Aircraft/kaprelo/panel/panel.cfg --script bench/demo.scenario --out ../demo --audio ../demo/demo.wav >/dev/null)
echo "   trace, snapshots and sound track in $PWD/demo/:"
ls demo | sed 's/^/   /'
echo "== to open the panel in a window (needs a display):"
case "$(scripts/which-wine.sh | head -n 1)" in
i386) echo "   cd install && wine bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window" ;;
wow64) echo "   cd install && ../scripts/wine-wow64/wine bench/bench.exe Aircraft/kaprelo/panel/panel.cfg --window" ;;
vm) echo "   on a machine that runs 32-bit x86 code: this one runs Wine only in an emulated machine without a display" ;;
esac
