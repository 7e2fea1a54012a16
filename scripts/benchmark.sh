#!/bin/sh
# Installs what is missing (scripts/install-tools.sh; the benchmarks add
# nothing to what the build and the tests need), builds the gauge files and
# the benchmark program, then prints the figures: gauge_benchmarks.exe under
# Wine, in the build tree's own prefix, with the Wine session brought up first
# as for the tests. Pass --quick for a tenth of the repetitions.
set -e
cd "$(dirname "$0")/.."
scripts/install-tools.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target gauge_benchmarks wine_session_keeper >/dev/null
scripts/with-wine.sh sh -c '
    bin=build/windows/bin
    cmake/wine-server.sh start build/windows/wine-run "$bin/wine_session_keeper.exe"
    trap "cmake/wine-server.sh stop build/windows/wine-run" EXIT
    build/windows/wine-run "$bin/gauge_benchmarks.exe" "$@"' benchmark "$@"
