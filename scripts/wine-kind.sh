#!/bin/sh
# Prints the kind of Wine (i386, wow64 or vm) the build tree was configured
# for: scripts/which-wine.sh's answer, which configuring writes into the tree.
# usage: wine-kind.sh [BUILD-DIR]   (default build/windows)
build=${1:-$(dirname "$0")/../build/windows}
if [ ! -f "$build/wine/kind" ]; then
    echo "wine-kind.sh: $build is not configured yet (cmake --preset windows)" >&2
    exit 1
fi
sed -n 1p "$build/wine/kind"
