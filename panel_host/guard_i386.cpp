// The guard's entry points, in 32-bit x86 assembly: what C++ cannot say is
// a call that saves and restores every register the caller relies on, and a
// return to that state from anywhere below it on the stack.
#include "guard_frame.h"

namespace panel_host {

extern "C" {
GuardFrame *guard_innermost = nullptr;
volatile uint32_t guard_calls = 0;
uint32_t guard_has_sse = 0;
EXCEPTION_DISPOSITION __cdecl guard_exception_handler(EXCEPTION_RECORD *record, void *frame, CONTEXT *context,
                                                      void *dispatcher);
}

// guard_call(frame, routine, argc, args), cdecl. The arguments are pushed
// from the array, last first; the stack is restored from the frame, so a
// routine that pops more or fewer of them than it was given does no harm.
//
// guard_restore: eax the frame, edx the status to return. Everything the
// call saved comes back, the fs:[0] chain to what it was before the call;
// pending x87 exceptions are cleared and the x87 stack emptied.
__asm__(
    ".text\n"
    ".globl _guard_call\n"
    "_guard_call:\n"
    "    movl 4(%esp), %eax\n"
    "    movl (%esp), %ecx\n"
    "    movl %ecx, 28(%eax)\n"
    "    leal 4(%esp), %ecx\n"
    "    movl %ecx, 8(%eax)\n"
    "    movl %ebp, 12(%eax)\n"
    "    movl %ebx, 16(%eax)\n"
    "    movl %esi, 20(%eax)\n"
    "    movl %edi, 24(%eax)\n"
    "    fnstcw 32(%eax)\n"
    "    cmpl $0, _guard_has_sse\n"
    "    je 1f\n"
    "    stmxcsr 36(%eax)\n"
    "1:\n"
    "    movl _guard_innermost, %ecx\n"
    "    movl %ecx, 40(%eax)\n"
    "    movl %eax, _guard_innermost\n"
    "    incl _guard_calls\n"
    "    movl %fs:0, %ecx\n"
    "    movl %ecx, 0(%eax)\n"
    "    movl $_guard_exception_handler, 4(%eax)\n"
    "    movl %eax, %fs:0\n"
    "    movl 8(%esp), %esi\n"
    "    movl 12(%esp), %ecx\n"
    "    movl 16(%esp), %edx\n"
    "2:\n"
    "    testl %ecx, %ecx\n"
    "    jz 3f\n"
    "    decl %ecx\n"
    "    pushl (%edx,%ecx,4)\n"
    "    jmp 2b\n"
    "3:\n"
    "    call *%esi\n"
    "    movl _guard_innermost, %ecx\n"
    "    movl %eax, 48(%ecx)\n"
    "    cmpl $0, 44(%ecx)\n"
    "    je 4f\n"
    "    fnclex\n"
    "    fldcw 32(%ecx)\n"
    "    fstpl 56(%ecx)\n"
    "4:\n"
    "    movl %ecx, %eax\n"
    "    xorl %edx, %edx\n"
    "    jmp _guard_restore\n"
    "\n"
    ".globl _guard_restore\n"
    "_guard_restore:\n"
    "    movl 8(%eax), %esp\n"
    "    movl 12(%eax), %ebp\n"
    "    movl 16(%eax), %ebx\n"
    "    movl 20(%eax), %esi\n"
    "    movl 24(%eax), %edi\n"
    "    movl 0(%eax), %ecx\n"
    "    movl %ecx, %fs:0\n"
    "    movl 40(%eax), %ecx\n"
    "    movl %ecx, _guard_innermost\n"
    "    fnclex\n"
    "    ffree %st(0)\n"
    "    ffree %st(1)\n"
    "    ffree %st(2)\n"
    "    ffree %st(3)\n"
    "    ffree %st(4)\n"
    "    ffree %st(5)\n"
    "    ffree %st(6)\n"
    "    ffree %st(7)\n"
    "    fldcw 32(%eax)\n"
    "    cmpl $0, _guard_has_sse\n"
    "    je 5f\n"
    "    ldmxcsr 36(%eax)\n"
    "5:\n"
    "    movl 28(%eax), %ecx\n"
    "    movl %edx, %eax\n"
    "    jmp *%ecx\n"
    "\n"
    // guard_unwind(frame), cdecl, never returns: the gauge's registrations
    // below `frame` are unwound (their handlers called as unwinding), then
    // the call of `frame` returns 1. The frame is kept on the stack across
    // RtlUnwind, which returns to the label after its call.
    ".globl _guard_unwind\n"
    "_guard_unwind:\n"
    "    movl 4(%esp), %eax\n"
    "    pushl %eax\n"
    "    pushl $0\n"
    "    pushl $0\n"
    "    pushl $6f\n"
    "    pushl %eax\n"
    "    call _RtlUnwind@16\n"
    "6:\n"
    "    popl %eax\n"
    "    movl $1, %edx\n"
    "    jmp _guard_restore\n"
    "\n"
    // guard_abandon: a thread the watchdog redirects here, from wherever it
    // was in the gauge's code, unwinds to the outermost call.
    ".globl _guard_abandon\n"
    "_guard_abandon:\n"
    "    andl $-16, %esp\n"
    "    movl _guard_innermost, %eax\n"
    "7:\n"
    "    cmpl $0, 40(%eax)\n"
    "    je 8f\n"
    "    movl 40(%eax), %eax\n"
    "    jmp 7b\n"
    "8:\n"
    "    pushl %eax\n"
    "    call _guard_unwind\n");

}  // namespace panel_host
