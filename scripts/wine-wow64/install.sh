#!/bin/sh
# Installs Debian sid's Wine, whose amd64 build runs 32-bit Windows programs in
# 64-bit Linux processes (WoW64 mode), into a root folder of its own, once: a
# root these scripts made is used as it is, and made again when they change.
# sid's Wine needs sid's C library and libraries, so it gets a minimal sid
# system of its own instead of changing this machine's; scripts/wine-wow64/
# runs it from there. Its ntdll.so is rebuilt from Debian's source with
# ntdll-fs-in-ldt.patch, without which no 32-bit program starts on a kernel
# that cannot run 32-bit Linux programs. Its packages come from the Debian
# archive this machine's apt names, through its proxy if any (apt-mirror.sh).
# Run as root; installs mmdebstrap and bubblewrap here first. WINE_WOW64_ROOT
# names another folder than /opt/wine-wow64.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=${WINE_WOW64_ROOT:-/opt/wine-wow64}
"$here/../install-packages.sh" mmdebstrap bubblewrap

version() {
    dpkg-query --admindir="$1/var/lib/dpkg" -W -f='${Version}' libwine
}

made_by=$(cat "$here/install.sh" "$here/build-ntdll.sh" "$here/ntdll-fs-in-ldt.patch" "$here/../apt-mirror.sh" |
    sha256sum | cut -c1-16)
if [ -x "$root/usr/lib/x86_64-linux-gnu/wine/wine" ] && [ "$(cat "$root/made-by" 2>/dev/null)" = "$made_by" ]; then
    echo "== WoW64 Wine: $root holds Debian sid's Wine $(version "$root"), used as it is"
    exit 0
fi

echo "== WoW64 Wine: installing Debian sid's Wine into $root and rebuilding its ntdll.so (about 1.8 GB, a few minutes)"
partial="$root.partial"
# A run cut off may have left its mounts (/proc, /sys) in the old one.
rm -rf --one-file-system "$partial"
mirror=$("$here/../apt-mirror.sh" --proxy "$partial.proxy.conf")
# The X libraries are the ones the window driver loads when they are there;
# the second list is what rebuilding ntdll.so takes. Mirrors may serve a sid
# Release past its Valid-Until date; its signature is still checked.
mmdebstrap --variant=apt \
    --include=wine,wine64,libxrender1,libxrandr2,libxi6,libxcursor1,libxcomposite1,libxinerama1,libxxf86vm1,libxfixes3 \
    --include=gcc,libc6-dev,make,flex,bison,libunwind-dev,dpkg-dev,autoconf,autotools-dev,patch \
    --aptopt='APT::Install-Recommends "false"' \
    --aptopt='Acquire::Check-Valid-Until "false"' --aptopt="$partial.proxy.conf" \
    --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-include=/usr/share/doc/*/copyright' \
    --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/locale/*' \
    --quiet sid "$partial" "deb $mirror sid main" "deb-src $mirror sid main"

echo "== WoW64 Wine: rebuilding ntdll.so so that 32-bit threads get their %fs segment without 32-bit system calls"
mkdir "$partial/build"
cp "$here/build-ntdll.sh" "$here/ntdll-fs-in-ldt.patch" "$partial/build/"
bwrap --bind "$partial" / --dev /dev --proc /proc --perms 1777 --tmpfs /tmp \
    --ro-bind /etc/resolv.conf /etc/resolv.conf --chdir /build \
    sh ./build-ntdll.sh
rm -rf "$partial/build" "$partial/var/cache/apt/archives/"*.deb "$partial/var/lib/apt/lists/"*_*
# scripts/wine-wow64/wine shows this in place of this machine's /etc/alsa.
mkdir -p "$partial/etc/alsa/conf.d"

echo "$made_by" >"$partial/made-by"
rm -rf --one-file-system "$root" "$partial.proxy.conf"
mv "$partial" "$root"
echo "== WoW64 Wine: Debian sid's Wine $(version "$root") installed in $root"
