#!/bin/sh
# Tells which Wine runs the 32-bit Windows programs on this machine, and why.
# Prints two lines: "i386", "wow64" or "vm", then the reason. Asked by
# scripts/install-tools.sh, to install that Wine, and when the build tree is
# configured, which writes the answer into the tree for every other script
# (scripts/wine-kind.sh prints it). scripts/wine-KIND/ holds what each needs.
#   i386   Debian's Wine with its 32-bit part (wine32:i386): 32-bit Windows
#          programs run in 32-bit Linux processes.
#   wow64  Debian sid's Wine in WoW64 mode, in its own root folder
#          (scripts/wine-wow64/): 32-bit Windows programs run in
#          64-bit Linux processes. Used where the kernel runs 32-bit code only
#          in 64-bit processes, or where Debian's 32-bit Wine is not installed
#          but this one is.
#   vm     Debian's Wine with wine32:i386 in a virtual machine that QEMU
#          emulates (scripts/wine-vm/). Used where this machine cannot run
#          32-bit x86 code at all.
set -u
wow64_root=${WINE_WOW64_ROOT:-/opt/wine-wow64}

# Runs a tiny program written with printf; prints its failure, returns its status.
run_probe() {
    probe=$(mktemp "${TMPDIR:-/tmp}/wine-probe.XXXXXX") || return 1
    printf "$1" >"$probe"
    chmod +x "$probe"
    # A shell of its own reports the failure, be it refused or killed.
    failure=$(sh -c '"$0"; exit $?' "$probe" 2>&1)
    status=$?
    rm -f "$probe"
    echo "${failure##*: }"
    return $status
}

# A 96-byte i386 Linux program that exits with status 42 (ELF header,
# one loadable segment, then mov eax,1; mov ebx,42; int 0x80).
i386_program='\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0'
i386_program="$i386_program"'\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0'
i386_program="$i386_program"'\270\1\0\0\0\273\52\0\0\0\315\200'

# A 157-byte x86-64 Linux program that jumps to the 32-bit user code segment
# (0x23), where WoW64 runs 32-bit code, jumps back to 0x33 and exits with
# status 42; where that segment is missing the jump faults. ELF header and one
# loadable segment, then jmp far [rip+19]; jmp far cs:[0x400097];
# mov edi,42; mov eax,60; syscall; the two far pointers.
x32_program='\177ELF\2\1\1\0\0\0\0\0\0\0\0\0\2\0\76\0\1\0\0\0\170\0\100\0\0\0\0\0\100\0\0\0\0\0\0\0'
x32_program="$x32_program"'\0\0\0\0\0\0\0\0\0\0\0\0\100\0\70\0\1\0\0\0\0\0\0\0\1\0\0\0\5\0\0\0\0\0\0\0\0\0\0\0'
x32_program="$x32_program"'\0\0\100\0\0\0\0\0\0\0\100\0\0\0\0\0\235\0\0\0\0\0\0\0\235\0\0\0\0\0\0\0\0\20\0\0\0\0\0\0'
x32_program="$x32_program"'\377\55\23\0\0\0\56\377\55\227\0\100\0\277\52\0\0\0\270\74\0\0\0\17\5'
x32_program="$x32_program"'\176\0\100\0\43\0\205\0\100\0\63\0'

i386_failure=$(run_probe "$i386_program")
i386_status=$?
if [ "$i386_status" -ne 42 ]; then
    x32_failure=$(run_probe "$x32_program")
    x32_status=$?
    if [ "$x32_status" -ne 42 ]; then
        echo vm
        echo "this machine cannot run 32-bit x86 code: a tiny i386 program gave \"$i386_failure\" (exit status $i386_status) and a jump to 32-bit code in a 64-bit program \"$x32_failure\" (exit status $x32_status)"
    else
        echo wow64
        echo "this machine cannot run 32-bit Linux programs: a tiny i386 program gave \"$i386_failure\" (exit status $i386_status)"
    fi
elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" &&
        [ -x "$wow64_root/usr/lib/x86_64-linux-gnu/wine/wine" ]; then
    echo wow64
    echo "this machine runs 32-bit Linux programs, but Debian's 32-bit Wine (wine32:i386) is not installed and the WoW64 Wine in $wow64_root is"
else
    echo i386
    echo "this machine runs 32-bit Linux programs"
fi
