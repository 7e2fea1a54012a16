#!/usr/bin/env python3
"""Runs a command as on a machine whose kernel cannot run 32-bit (i386) Linux
programs: a seccomp filter, inherited by every process the command starts,
kills any process that makes an i386 system call. An i386 program dies at its
first system call (where such a kernel refuses to execute it at all), and so
does a 64-bit process that tries int 0x80. 32-bit code that makes no system
call of its own, as Wine's WoW64 mode runs it, is left alone.

usage: scripts/without-i386.py COMMAND [ARG...]
"""
import ctypes
import os
import struct
import sys

PR_SET_NO_NEW_PRIVS = 38
PR_SET_SECCOMP = 22
SECCOMP_MODE_FILTER = 2
SECCOMP_RET_KILL_PROCESS = 0x80000000
SECCOMP_RET_ALLOW = 0x7FFF0000
AUDIT_ARCH_X86_64 = 0xC000003E
OFFSET_OF_ARCH = 4  # struct seccomp_data: int nr; __u32 arch; ...

BPF_LD_W_ABS = 0x20
BPF_JEQ_K = 0x15
BPF_RET_K = 0x06


def instruction(code, jump_true, jump_false, k):
    return struct.pack("<HBBI", code, jump_true, jump_false, k)


def install_filter():
    program = b"".join([
        instruction(BPF_LD_W_ABS, 0, 0, OFFSET_OF_ARCH),
        instruction(BPF_JEQ_K, 0, 1, AUDIT_ARCH_X86_64),
        instruction(BPF_RET_K, 0, 0, SECCOMP_RET_ALLOW),
        instruction(BPF_RET_K, 0, 0, SECCOMP_RET_KILL_PROCESS),
    ])
    filters = ctypes.create_string_buffer(program, len(program))
    # struct sock_fprog: unsigned short len; struct sock_filter *filter;
    fprog = struct.pack("<HxxxxxxQ", len(program) // 8, ctypes.addressof(filters))
    fprog_buffer = ctypes.create_string_buffer(fprog, len(fprog))
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl.argtypes = [ctypes.c_int, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
    # Without CAP_SYS_ADMIN the kernel takes a filter only from a process
    # that gives up gaining privileges (sudo then no longer works inside).
    if os.geteuid() != 0 and libc.prctl(PR_SET_NO_NEW_PRIVS, 1, None, 0, 0) != 0:
        sys.exit(f"without-i386: no_new_privs: {os.strerror(ctypes.get_errno())}")
    if libc.prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, ctypes.addressof(fprog_buffer), 0, 0) != 0:
        sys.exit(f"without-i386: seccomp filter: {os.strerror(ctypes.get_errno())}")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    install_filter()
    os.execvp(sys.argv[1], sys.argv[1:])


if __name__ == "__main__":
    main()
