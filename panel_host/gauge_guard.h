// The guard around every call into a gauge file's code. A gauge file of
// another maker may fault, call a service the bench does not offer or never
// return; the guard stops that call, unwinds the gauge's frames and comes
// back with the reason, so that the host stops that gauge alone.
//
// How: each guarded call pushes its own exception registration on fs:[0]
// and saves the stack, the callee-saved registers, the x87 control word and
// MXCSR. An exception that the gauge's own handlers leave unhandled reaches
// that registration; the guard then unwinds to it (RtlUnwind, so the gauge's
// frames see the unwind) and resumes at the saved state. A service the bench
// does not offer, a C++ exception at a service entry and a call the watchdog
// abandons take the same unwind without raising anything, so that no handler
// of the gauge can swallow them. Calls nest (a value routine inside the
// gauge's update): a stop always comes back from the outermost call.
#ifndef PANEL_HOST_GAUGE_GUARD_H
#define PANEL_HOST_GAUGE_GUARD_H

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace panel_host {

// Why a guarded call was stopped.
struct CallStop {
    std::string routine;  // the routine that was running: "update", "the value routine of element 0x1010"
    std::string reason;   // "access violation writing 0x00000000"
    std::string where;    // "Crasher.gau+0x10c4", or empty when unknown
};

// What a guarded call gives back.
struct CallResult {
    bool returned = false;  // false: stopped, why in `stop`
    uint32_t word = 0;      // the routine's 32-bit result
    double value = 0;       // a value routine's result
    CallStop stop;
};

enum class Returns { Word, Double };

// A pointer as one of a guarded call's argument words.
inline uint32_t call_word(const void *pointer) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)); }

// A routine of any type as the code a guarded call runs.
template <typename Routine>
const void *call_code(Routine *routine) {
    return reinterpret_cast<const void *>(routine);
}

// Calls `code` with `args` (32-bit words, first argument first) in the host's
// calling convention, guarded; `routine` names it in a stop's reason.
CallResult call_guarded(const char *routine, const void *code, std::initializer_list<uint32_t> args,
                        Returns returns = Returns::Word);

// Dispatches `message` to its window's procedure, guarded, for a window of a
// gauge file's own. When the call is stopped, the window's procedure becomes
// DefWindowProc, so that the gauge's code is not reached through it again.
CallResult dispatch_guarded(const MSG &message);

// Whether a guarded call is in progress (on the calling thread).
bool in_gauge_call();

// The module holding the code of the innermost guarded call in progress, or
// null: whose call it is when a return address does not tell (a gauge whose
// last call is a jump returns straight to the bench).
HMODULE module_in_call();

// Stops the guarded call in progress with `reason`, from inside the bench's
// own code that the gauge called (a service entry); never returns. Outside a
// guarded call it ends the process with the reason.
[[noreturn]] void stop_gauge_call(const char *reason, const void *where);

// "Crasher.gau+0x10c4": the module holding `address` and the offset into it.
std::string code_place(const void *address);

// Re-arms the stack's guard page after a stack overflow; false when it cannot.
bool restore_stack_guard();

}  // namespace panel_host

#endif
