#!/bin/sh
# Remakes docs/panel.png, the picture the README opens with, from the gauge
# files and the bench as they are built now (the CTest test
# readme_picture_test fails until this is run after a change that shows).
set -e
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target bench
scripts/with-wine.sh scripts/panel-picture.sh build/windows/wine-run build/windows/bin/bench.exe \
    build/windows/bin build/windows/readme-picture docs/panel.png
echo "== docs/panel.png remade"
