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
