#!/bin/sh
# Installs Debian's wine with its 32-bit part, wine32:i386, adding the i386
# architecture for it. Run as root. Fails where wine32:i386 cannot be
# installed (an i386 index of the mirror failing, say).
set -e
here=$(cd "$(dirname "$0")" && pwd)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "== adding the i386 architecture for Wine's 32-bit part"
    dpkg --add-architecture i386
fi
"$here/../install-packages.sh" wine wine32:i386
