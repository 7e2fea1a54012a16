#!/bin/sh
# Installs everything this machine needs to build the gauge files and to run
# the tests, the demo and the benchmarks, and nothing else runs an installer:
# CMake, the MinGW-w64 cross compilers for 32-bit Windows, GoogleTest's
# sources, python3, Xvfb with xauth and xwininfo (x11-utils) for the bench window's tests, ffmpeg for
# the demo's video, and the Wine
# that runs 32-bit Windows programs here, of the kind scripts/which-wine.sh
# finds, by that kind's own installer (scripts/wine-KIND/install.sh). Where
# Debian's 32-bit Wine cannot be installed, the WoW64 one is. Installs only
# what is missing; a Wine root is made again when the scripts that make it change.
#   --fuzz   also clang and libFuzzer's runtime, for scripts/fuzz.sh
#   --wow64  also the WoW64 Wine beside Debian's 32-bit one, for .ci/run's
#            second pass as on a machine without 32-bit system calls
# usage: install-tools.sh [--fuzz] [--wow64]
set -e
cd "$(dirname "$0")"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
extras=""
also_wow64=false
for option; do
    case "$option" in
    --fuzz) extras="$extras clang libclang-rt-14-dev" ;;
    --wow64) also_wow64=true ;;
    *) echo "install-tools.sh: unknown option $option (--fuzz, --wow64)" >&2; exit 2 ;;
    esac
done

# shellcheck disable=SC2086
./install-packages.sh cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest python3 xvfb xauth x11-utils ffmpeg $extras

# Each kind's installer runs as root; the root folders it may name go along.
install_wine() {
    $sudo env WINE_WOW64_ROOT="${WINE_WOW64_ROOT:-/opt/wine-wow64}" WINE_VM_ROOT="${WINE_VM_ROOT:-/opt/wine-vm}" \
        "./wine-$1/install.sh"
}

choice=$(./which-wine.sh)
kind=$(echo "$choice" | sed -n 1p)
reason=$(echo "$choice" | sed -n 2p)
if [ "$kind" = i386 ] && ! install_wine i386; then
    kind=wow64
    reason="Debian's 32-bit Wine could not be installed (above)"
fi
[ "$kind" = i386 ] || install_wine "$kind"
if $also_wow64 && [ "$kind" != wow64 ]; then
    install_wine wow64
fi
echo "== Wine: $kind (scripts/wine-$kind/), $reason"
