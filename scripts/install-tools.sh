#!/bin/sh
# Installs what building and testing need on Debian: CMake, the MinGW-w64
# cross compilers for 32-bit Windows, GoogleTest's sources, python3, Xvfb with
# xauth for the bench window's test, ffmpeg for the demo's video, any packages
# named as arguments, and a
# Wine that runs 32-bit Windows programs on this machine: Debian's wine with
# wine32:i386 where this machine runs 32-bit Linux programs, else Debian sid's
# Wine in WoW64 mode where it runs 32-bit code in 64-bit processes, else a
# virtual machine with Debian's Wine that QEMU emulates (scripts/which-wine.sh
# tells which, and why). Installs only what is missing.
set -e
cd "$(dirname "$0")"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

# Installs those of the packages given that are not installed yet.
install_packages() {
    missing=""
    for package; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $package"
    done
    [ -n "$missing" ] || return 0
    echo "== build tools: installing$missing"
    # One index that fails to download (a mirror being synced) leaves the
    # others usable; apt-get install then says what it cannot find.
    $sudo apt-get update -q || echo "== apt-get update reported errors, going on with the indexes it read"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
}

install_packages cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest python3 xvfb xauth ffmpeg "$@"

kind=$(./which-wine.sh | head -n 1)
if [ "$kind" = i386 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "== adding the i386 architecture for Wine's 32-bit part"
        $sudo dpkg --add-architecture i386
    fi
    if ! install_packages wine wine32:i386; then
        echo "== Debian's 32-bit Wine could not be installed (above): installing the WoW64 Wine instead"
        kind=wow64
    fi
fi
if [ "$kind" = wow64 ]; then
    install_packages mmdebstrap bubblewrap
    $sudo env WINE_WOW64_ROOT="${WINE_WOW64_ROOT:-/opt/wine-wow64}" ./wine-wow64/install.sh
fi
if [ "$kind" = vm ]; then
    install_packages mmdebstrap e2fsprogs qemu-system-x86
    $sudo env WINE_VM_ROOT="${WINE_VM_ROOT:-/opt/wine-vm}" ./wine-vm/install.sh
fi

./which-wine.sh | {
    read -r kind
    read -r reason
    case "$kind" in
    i386) echo "== Wine: Debian's wine with wine32:i386, 32-bit Linux processes; $reason" ;;
    wow64) echo "== Wine: Debian sid's Wine in WoW64 mode (scripts/wine-wow64/), 64-bit Linux processes; $reason" ;;
    vm) echo "== Wine: Debian's wine with wine32:i386 in a virtual machine that QEMU emulates (scripts/wine-vm/), so slower; $reason" ;;
    esac
}
