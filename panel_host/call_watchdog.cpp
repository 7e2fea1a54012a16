#include "call_watchdog.h"

#include <cstdio>

#include "guard_frame.h"

namespace panel_host {

namespace {

// How often the watchdog samples the call count.
const DWORD SAMPLE_MS = 100;

HMODULE module_of(const void *address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

std::string seconds(DWORD ms) {
    char text[32];
    snprintf(text, sizeof text, "%g s", ms / 1000.0);
    return text;
}

}  // namespace

CallWatchdog::CallWatchdog(double seconds, std::function<void(const CallStop &)> hung)
    : limit_ms_(static_cast<DWORD>(seconds * 1000 + 0.5)), hung_(std::move(hung)) {
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &calling_thread_,
                    THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, 0);
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 64 * 1024, &CallWatchdog::run, this, 0, nullptr);
}

CallWatchdog::~CallWatchdog() {
    SetEvent(stop_);
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    CloseHandle(stop_);
    CloseHandle(calling_thread_);
}

DWORD WINAPI CallWatchdog::run(void *self) {
    static_cast<CallWatchdog *>(self)->watch();
    return 0;
}

void CallWatchdog::watch() {
    uint32_t last_count = guard_calls;
    DWORD still = 0;  // how long no call has begun while one is in progress
    while (WaitForSingleObject(stop_, SAMPLE_MS) == WAIT_TIMEOUT) {
        const uint32_t count = guard_calls;
        if (count != last_count || guard_innermost == nullptr) {
            last_count = count;
            still = 0;
            continue;
        }
        still += SAMPLE_MS;
        if (still >= limit_ms_) {
            overran();
            still = 0;
            last_count = guard_calls;
        }
    }
}

void CallWatchdog::overran() {
    if (SuspendThread(calling_thread_) == static_cast<DWORD>(-1))
        return;
    GuardFrame *frame = guard_innermost;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    if (frame == nullptr || !GetThreadContext(calling_thread_, &context)) {
        ResumeThread(calling_thread_);
        return;
    }
    const void *at = reinterpret_cast<const void *>(static_cast<uintptr_t>(context.Eip));
    const HMODULE gauge_file = module_of(frame->code);
    GuardFrame *root = outermost(frame);
    if (gauge_file != nullptr && module_of(at) == gauge_file) {
        snprintf(root->reason, sizeof root->reason, "did not return within %s: busy in its own code",
                 seconds(limit_ms_).c_str());
        root->stop = StopKind::Abandoned;
        root->stopped_routine = frame->routine;
        root->address = at;
        context.Eip = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&guard_abandon));
        SetThreadContext(calling_thread_, &context);
        ResumeThread(calling_thread_);
        return;
    }
    // Waiting inside the system: the thread stays suspended, the run ends.
    CallStop stop;
    stop.routine = frame->routine != nullptr ? frame->routine : "a routine";
    stop.reason = "has not returned within " + seconds(limit_ms_) +
                  ": it waits inside the system, where the bench cannot take the call back";
    stop.where = code_place(at);
    hung_(stop);
}

}  // namespace panel_host
