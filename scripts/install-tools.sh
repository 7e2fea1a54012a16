#!/bin/sh
# Installs what building and testing need on Debian: CMake, the MinGW-w64
# cross compilers for 32-bit Windows, Wine with its 32-bit part, GoogleTest's
# sources, python3, and Xvfb with xauth for the bench window's test. Does
# nothing when all of it is already there.
set -e

packages="cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 googletest python3 xvfb xauth $*"

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
if [ -z "$missing" ]; then
    echo "== build tools: all present"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "== build tools: installing$missing"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "== adding the i386 architecture for Wine's 32-bit part"
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
