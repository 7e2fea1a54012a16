// The watchdog over guarded gauge calls: a thread that samples the guard's
// call count and, when one call has been in progress for the limit, looks
// where the calling thread is. Busy in the gauge file's own code, the call
// is abandoned and comes back stopped; waiting inside the system (a sleep, a
// wait, a message box), it cannot be taken back, and the run must end.
// The calls themselves read no clock: they only bump the count.
#ifndef PANEL_HOST_CALL_WATCHDOG_H
#define PANEL_HOST_CALL_WATCHDOG_H

#include <windows.h>

#include <functional>

#include "gauge_guard.h"

namespace panel_host {

class CallWatchdog {
public:
    // Watches the guarded calls of the thread that makes it. `hung` is told,
    // on the watchdog's thread with the calling thread held suspended, of a
    // call that waits inside the system; it is expected to end the process.
    CallWatchdog(double seconds, std::function<void(const CallStop &)> hung);
    ~CallWatchdog();
    CallWatchdog(const CallWatchdog &) = delete;
    CallWatchdog &operator=(const CallWatchdog &) = delete;

private:
    static DWORD WINAPI run(void *self);
    void watch();
    // Abandons or reports the call in progress that has overrun the limit.
    void overran();

    DWORD limit_ms_;
    std::function<void(const CallStop &)> hung_;
    HANDLE calling_thread_ = nullptr;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
};

}  // namespace panel_host

#endif
