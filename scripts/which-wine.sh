#!/bin/sh
# Tells which Wine runs the 32-bit Windows programs on this machine, and why.
# Prints two lines: "i386" or "wow64", then the reason.
#   i386   Debian's Wine with its 32-bit part (wine32:i386): 32-bit Windows
#          programs run in 32-bit Linux processes.
#   wow64  Debian sid's Wine in WoW64 mode, in its own root folder
#          (scripts/wine-wow64/): 32-bit Windows programs run in
#          64-bit Linux processes. Used where the kernel cannot execute 32-bit
#          Linux programs, or where Debian's 32-bit Wine is not installed but
#          this one is.
set -u
wow64_root=${WINE_WOW64_ROOT:-/opt/wine-wow64}

# A 96-byte i386 Linux program that exits with status 42 (ELF header,
# one loadable segment, then mov eax,1; mov ebx,42; int 0x80).
probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX") || exit 1
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0' >"$probe"
printf '\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0' >>"$probe"
printf '\270\1\0\0\0\273\52\0\0\0\315\200' >>"$probe"
chmod +x "$probe"
# A shell of its own reports the failure, be it refused or killed.
failure=$(sh -c '"$0"; exit $?' "$probe" 2>&1)
status=$?
rm -f "$probe"

if [ "$status" -ne 42 ]; then
    echo wow64
    echo "this machine cannot run 32-bit Linux programs: a tiny i386 program gave \"${failure##*: }\" (exit status $status)"
elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" &&
        [ -x "$wow64_root/usr/lib/x86_64-linux-gnu/wine/wine" ]; then
    echo wow64
    echo "this machine runs 32-bit Linux programs, but Debian's 32-bit Wine (wine32:i386) is not installed and the WoW64 Wine in $wow64_root is"
else
    echo i386
    echo "this machine runs 32-bit Linux programs"
fi
