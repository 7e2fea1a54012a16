#!/bin/sh
# Installs what is missing (scripts/install-tools.sh), builds the gauge files
# and the tests, then runs every test under Wine.
set -e
cd "$(dirname "$0")"
scripts/install-tools.sh
echo "== configuring the 32-bit Windows build in build/windows"
cmake --preset windows >/dev/null
echo "== building"
cmake --build --preset windows -j"$(nproc)"
echo "== running the tests (under Wine, in the build tree's own prefix)"
scripts/with-wine.sh ctest --preset windows -j"$(nproc)"
