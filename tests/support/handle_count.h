// The number of handles the process holds open.
#ifndef HANDLE_COUNT_H
#define HANDLE_COUNT_H

#include <windows.h>

// Wine answers GetProcessHandleCount with 0; then the handles are counted as
// the values GetHandleInformation accepts. Wine hands out the lowest free
// value first, so the count stops after a long run of unused values.
inline DWORD handle_count() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return count;
    const ULONG_PTR unused_run = 4 * 1024;
    for (ULONG_PTR value = 4, last_used = 0; value - last_used <= unused_run; value += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            last_used = value;
        }
    }
    return count;
}

#endif
