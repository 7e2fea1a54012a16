// The guard's own record of one guarded call, shared by the guard, its
// assembly entry points and the watchdog. Its first two words are an
// exception registration; the words up to double_result are read and written
// by the assembly at the offsets asserted below.
#ifndef PANEL_HOST_GUARD_FRAME_H
#define PANEL_HOST_GUARD_FRAME_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace panel_host {

enum class StopKind : uint32_t { None, Exception, Service, Abandoned };

struct GuardFrame {
    GuardFrame *registration_next;  // 0: the fs:[0] chain before this call
    void *registration_handler;     // 4
    uint32_t esp;                   // 8: the stack as the call returns to its caller
    uint32_t ebp;                   // 12
    uint32_t ebx;                   // 16
    uint32_t esi;                   // 20
    uint32_t edi;                   // 24
    uint32_t eip;                   // 28: where the call returns
    uint32_t fpu_control;           // 32
    uint32_t mxcsr;                 // 36
    GuardFrame *outer;              // 40: the guarded call this one runs inside, or null
    uint32_t returns_double;        // 44
    uint32_t word_result;           // 48
    uint32_t unused;                // 52
    double double_result;           // 56

    // Written by whatever stops the call, read once it has come back.
    const void *code;               // the routine called: its module is the gauge file's
    const char *routine;
    StopKind stop;
    const char *stopped_routine;    // the innermost call's routine at the stop
    DWORD exception;                // its code
    DWORD flags;
    const void *address;            // where it happened
    ULONG_PTR information[2];
    char reason[192];               // a service stop's reason
};

static_assert(offsetof(GuardFrame, esp) == 8, "the assembly's layout");
static_assert(offsetof(GuardFrame, fpu_control) == 32, "the assembly's layout");
static_assert(offsetof(GuardFrame, outer) == 40, "the assembly's layout");
static_assert(offsetof(GuardFrame, word_result) == 48, "the assembly's layout");
static_assert(offsetof(GuardFrame, double_result) == 56, "the assembly's layout");

extern "C" {
// The innermost guarded call in progress, and a count of calls begun, which
// the watchdog samples.
extern GuardFrame *guard_innermost;
extern volatile uint32_t guard_calls;
// Calls `routine` with `argc` words of `args`: 0 when it returned, 1 when stopped.
int guard_call(GuardFrame *frame, const void *routine, uint32_t argc, const uint32_t *args);
// Unwinds to `frame` and comes back from its guard_call with 1.
[[noreturn]] void guard_unwind(GuardFrame *frame);
// Where the watchdog sends a thread it abandons: unwinds to the outermost call.
void guard_abandon();
}

// The outermost guarded call that `frame` runs inside (itself at the top).
GuardFrame *outermost(GuardFrame *frame);

}  // namespace panel_host

#endif
