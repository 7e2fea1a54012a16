#include "gauge_guard.h"

#include <cstdio>
#include <cstring>

#include "guard_frame.h"
#include "load_watch.h"

namespace panel_host {

extern "C" uint32_t guard_has_sse;

namespace {

const DWORD UNWINDING = EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND;

std::string hex(uintptr_t number, int digits = 0) {
    char text[24];
    snprintf(text, sizeof text, "0x%0*lx", digits, static_cast<unsigned long>(number));
    return text;
}

}  // namespace

std::string describe_exception(DWORD code, DWORD flags, ULONG_PTR access, ULONG_PTR address) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION: {
        const char *how = access == 0 ? "reading" : access == 8 ? "executing" : "writing";
        return std::string("access violation ") + how + " " + hex(address, 8);
    }
    case EXCEPTION_ILLEGAL_INSTRUCTION: return "illegal instruction";
    case EXCEPTION_PRIV_INSTRUCTION: return "privileged instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "integer division by zero";
    case EXCEPTION_INT_OVERFLOW: return "integer overflow";
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: return "floating-point division by zero";
    case EXCEPTION_FLT_INVALID_OPERATION: return "floating-point invalid operation";
    case EXCEPTION_FLT_OVERFLOW: return "floating-point overflow";
    case EXCEPTION_FLT_UNDERFLOW: return "floating-point underflow";
    case EXCEPTION_FLT_INEXACT_RESULT: return "floating-point inexact result";
    case EXCEPTION_FLT_STACK_CHECK: return "floating-point stack fault";
    case EXCEPTION_FLT_DENORMAL_OPERAND: return "floating-point denormal operand";
    case EXCEPTION_STACK_OVERFLOW: return "stack overflow";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return "array bounds exceeded";
    case EXCEPTION_DATATYPE_MISALIGNMENT: return "misaligned data";
    case EXCEPTION_IN_PAGE_ERROR: return "in-page error";
    case EXCEPTION_BREAKPOINT: return "breakpoint";
    case EXCEPTION_SINGLE_STEP: return "single step";
    case EXCEPTION_NONCONTINUABLE_EXCEPTION: return "a noncontinuable exception continued";
    case EXCEPTION_INVALID_HANDLE: return "invalid handle";
    case 0xE06D7363: return "a C++ exception (code 0xE06D7363) its own code left uncaught";
    }
    return "exception " + hex(code, 8) + (flags & EXCEPTION_NONCONTINUABLE ? " (noncontinuable)" : "");
}

namespace {

CallStop describe_stop(const GuardFrame &frame) {
    CallStop stop;
    stop.routine = frame.stopped_routine != nullptr ? frame.stopped_routine : frame.routine;
    if (frame.stop == StopKind::Exception)
        stop.reason = describe_exception(frame.exception, frame.flags, frame.information[0], frame.information[1]);
    else
        stop.reason = frame.reason;
    if (frame.address != nullptr)
        stop.where = code_place(frame.address);
    return stop;
}

// Records the stop in the outermost call and unwinds to it.
[[noreturn]] void stop_at(GuardFrame *innermost, StopKind kind, const void *address) {
    GuardFrame *root = outermost(innermost);
    root->stop = kind;
    root->stopped_routine = innermost->routine;
    root->address = address;
    guard_unwind(root);
}

bool sse_present() { return IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE) != 0; }

}  // namespace

extern "C" EXCEPTION_DISPOSITION __cdecl guard_exception_handler(EXCEPTION_RECORD *record, void *establisher,
                                                                 CONTEXT *, void *) {
    if (record->ExceptionFlags & UNWINDING)
        return ExceptionContinueSearch;
    GuardFrame *frame = static_cast<GuardFrame *>(establisher);
    GuardFrame *root = outermost(frame);
    root->exception = record->ExceptionCode;
    root->flags = record->ExceptionFlags;
    root->information[0] = record->NumberParameters > 0 ? record->ExceptionInformation[0] : 0;
    root->information[1] = record->NumberParameters > 1 ? record->ExceptionInformation[1] : 0;
    stop_at(frame, StopKind::Exception, record->ExceptionAddress);
}

GuardFrame *outermost(GuardFrame *frame) {
    while (frame->outer != nullptr)
        frame = frame->outer;
    return frame;
}

CallResult call_guarded(const char *routine, const void *code, std::initializer_list<uint32_t> args,
                        Returns returns) {
    static const bool sse = sse_present();
    guard_has_sse = sse;
    // Only what the call reads is set: a stop writes the rest.
    GuardFrame frame;
    frame.code = code;
    frame.routine = routine;
    frame.returns_double = returns == Returns::Double;
    frame.double_result = 0;
    frame.stop = StopKind::None;
    frame.stopped_routine = nullptr;
    frame.address = nullptr;
    frame.reason[0] = '\0';
    uint32_t words[8] = {};
    uint32_t count = 0;
    for (uint32_t word : args)
        if (count < 8)
            words[count++] = word;
    CallResult result;
    const bool stopped = guard_call(&frame, code, count, words) != 0;
    result.returned = !stopped;
    if (stopped) {
        result.stop = describe_stop(frame);
        if (frame.stop == StopKind::Exception && frame.exception == EXCEPTION_STACK_OVERFLOW && !restore_stack_guard()) {
            // Another overflow could not be caught: the run cannot go on.
            fprintf(stderr, "bench: %s overflowed the stack (%s), and its guard page cannot be restored; the bench ends\n",
                    routine, result.stop.where.c_str());
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return result;
    }
    result.word = frame.word_result;
    result.value = frame.double_result;
    return result;
}

CallResult dispatch_guarded(const MSG &message) {
    CallResult result = call_guarded("its window procedure", call_code(&DispatchMessageA), {call_word(&message)});
    if (!result.returned && IsWindow(message.hwnd))
        SetWindowLongPtrA(message.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    return result;
}

bool in_gauge_call() { return guard_innermost != nullptr; }

HMODULE module_in_call() {
    HMODULE module = nullptr;
    if (guard_innermost != nullptr)
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(guard_innermost->code), &module);
    return module;
}

void stop_gauge_call(const char *reason, const void *where) {
    GuardFrame *frame = guard_innermost;
    if (frame == nullptr) {
        fprintf(stderr, "bench: a gauge outside a guarded call %s (%s); the bench ends\n", reason,
                code_place(where).c_str());
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    GuardFrame *root = outermost(frame);
    snprintf(root->reason, sizeof root->reason, "%s", reason);
    stop_at(frame, StopKind::Service, where);
}

std::string code_place(const void *address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module) ||
        module == nullptr)
        return hex(reinterpret_cast<uintptr_t>(address), 8);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof path);
    const char *name = path;
    for (const char *at = path; *at != '\0'; ++at)
        if (*at == '\\' || *at == '/')
            name = at + 1;
    return std::string(name) + "+" +
           hex(reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module));
}

bool restore_stack_guard() {
    // After an overflow the stack is committed down to its last usable page
    // and has no guard page left: the lowest committed page takes the guard
    // flag again, as the system moves it down while the stack grows.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const uintptr_t page = system.dwPageSize;
    MEMORY_BASIC_INFORMATION region;
    int here = 0;
    if (VirtualQuery(&here, &region, sizeof region) == 0)
        return false;
    const uintptr_t reservation = reinterpret_cast<uintptr_t>(region.AllocationBase);
    uintptr_t lowest = reinterpret_cast<uintptr_t>(region.BaseAddress);
    while (lowest > reservation) {
        MEMORY_BASIC_INFORMATION below;
        if (VirtualQuery(reinterpret_cast<void *>(lowest - 1), &below, sizeof below) == 0 ||
            below.State != MEM_COMMIT || (below.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0) {
            if (below.State == MEM_COMMIT && (below.Protect & PAGE_GUARD))
                return true;
            break;
        }
        lowest = reinterpret_cast<uintptr_t>(below.BaseAddress);
    }
    if (lowest + 2 * page > reinterpret_cast<uintptr_t>(&here))
        return false;
    DWORD old = 0;
    return VirtualProtect(reinterpret_cast<void *>(lowest), page, PAGE_READWRITE | PAGE_GUARD, &old) != 0;
}

}  // namespace panel_host
