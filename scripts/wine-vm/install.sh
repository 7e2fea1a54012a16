#!/bin/sh
# Makes the virtual machine that runs the tests where this machine cannot run
# 32-bit x86 code at all, once: a folder that holds the machine these scripts
# make is used as it is. The machine is Debian bookworm with its Wine 8 and
# wine32:i386, the tools the tests call, and vm-init as its only process; QEMU
# emulates it (run). The folder gets the machine's kernel, its initial RAM
# disk and root.img, its root file system. Its packages come from the Debian
# archive this machine's apt names, through its proxy if any (apt-mirror.sh).
# Run as root; installs mmdebstrap, e2fsprogs and QEMU here first.
# WINE_VM_ROOT names another folder than /opt/wine-vm.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=${WINE_VM_ROOT:-/opt/wine-vm}
"$here/../install-packages.sh" mmdebstrap e2fsprogs qemu-system-x86

# The machine is made again when the scripts that make it have changed since.
made_by=$(cat "$here/install.sh" "$here/vm-init" "$here/../apt-mirror.sh" | sha256sum | cut -c1-16)
if [ -f "$root/root.img" ] && [ "$(cat "$root/made-by" 2>/dev/null)" = "$made_by" ]; then
    echo "== Wine machine: $root holds it, used as it is"
    exit 0
fi

echo "== Wine machine: installing Debian bookworm with Wine into $root (about 1.7 GB, a few minutes)"
partial="$root.partial"
# A run cut off may have left its mounts (/proc, /sys) in the old one.
rm -rf --one-file-system "$partial"
mkdir -p "$partial"
# The security suite is left out: its i386 index has been seen broken, and a
# package's amd64 and i386 builds must be of one version.
mirror=$("$here/../apt-mirror.sh" --proxy "$partial/proxy.conf")
# A mirror being synced fails an index now and then: three tries.
for attempt in 1 2 3; do
    mmdebstrap --variant=apt --architectures=amd64,i386 \
        --include=linux-image-amd64,initramfs-tools,kmod,mount,iproute2,procps \
        --include=wine,wine32:i386,cmake,python3,xvfb,xauth,binutils-mingw-w64-i686 \
        --aptopt='APT::Install-Recommends "false"' --aptopt="$partial/proxy.conf" \
        --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-include=/usr/share/doc/*/copyright' \
        --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/locale/*' \
        --customize-hook="copy-in $here/vm-init /usr/sbin" \
        --customize-hook="cp \"\$1\"/boot/vmlinuz-* $partial/vmlinuz" \
        --customize-hook="cp \"\$1\"/boot/initrd.img-* $partial/initrd.img" \
        --customize-hook='rm -f "$1"/var/lib/apt/lists/*_*' \
        --quiet bookworm "$partial/root" \
        "deb $mirror bookworm main" "deb $mirror bookworm-updates main" && break
    [ "$attempt" -lt 3 ] || exit 1
    echo "== Wine machine: mmdebstrap failed (above), trying again in 30 s"
    rm -rf --one-file-system "$partial/root"
    sleep 30
done

# A root file system with a gigabyte to spare; run never writes it back.
size=$(du -sm "$partial/root" | cut -f1)
mkfs.ext4 -q -L root -d "$partial/root" "$partial/root.img" "$((size + 1024))M" >/dev/null
rm -rf --one-file-system "$partial/root"

echo "$made_by" >"$partial/made-by"
mkdir -p "$root"
mv -f "$partial/vmlinuz" "$partial/initrd.img" "$partial/root.img" "$partial/made-by" "$root"
rm -rf "$partial"
echo "== Wine machine: Debian bookworm with Wine installed in $root"
