// What the soak tests share: how long they run, and the process's memory and
// handle count, which must stay flat once the run has warmed up.
// The default run is short enough for every test run; SOAK_FULL=1 in the
// environment gives the full counts.
#ifndef SOAK_H
#define SOAK_H

#include <windows.h>

#include <dsound.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "handle_count.h"

inline bool soak_full() {
    const char *full = std::getenv("SOAK_FULL");
    return full != nullptr && *full != '\0' && std::strcmp(full, "0") != 0;
}
// Install and kill cycles of one module.
inline long soak_install_cycles() { return soak_full() ? 10000 : 300; }
// Panel cycles of one module; a click every soak_click_interval of them.
inline long soak_panel_cycles() { return soak_full() ? 1000000 : 100000; }
const long soak_click_interval = 100;
// Cycles run before the memory and handles are first measured.
inline long soak_warm_up(long cycles) { return cycles / 10; }

// Growth allowed between the measure after warm-up and the one at the end,
// besides what Wine's DirectSound keeps (device_cycles_growth): heaps may
// still round up to a new block. The module's own blocks are counted exactly
// by the allocation counter; this catches anything else that leaks some 60
// bytes a cycle over the full run, and any handle left per cycle.
const SIZE_T soak_memory_tolerance = 512 * 1024;
const DWORD soak_handle_tolerance = 4;

struct ProcessUsage {
    SIZE_T commit = 0;       // PagefileUsage: the private memory committed
    SIZE_T working_set = 0;  // WorkingSetSize
    DWORD handles = 0;       // open handles of the process
};

inline ProcessUsage process_usage() {
    ProcessUsage usage;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        usage.commit = counters.PagefileUsage;
        usage.working_set = counters.WorkingSetSize;
    }
    usage.handles = handle_count();
    return usage;
}

inline long long kib(SIZE_T bytes) { return static_cast<long long>(bytes / 1024); }
inline long long grown(SIZE_T from, SIZE_T to) { return static_cast<long long>(to) - static_cast<long long>(from); }

// Wine 8's DirectSound itself keeps some 90 bytes per device opened and
// released, with no module involved. A run that opens a device per cycle
// is allowed that much: the commit growth of as many bare DirectSoundCreate
// and Release cycles in this process (fewer, scaled up, would scale up the
// heaps' rounding too).
inline long long device_cycles_growth(long cycles) {
    const SIZE_T before = process_usage().commit;
    for (long cycle = 0; cycle < cycles; ++cycle) {
        IDirectSound *device = nullptr;
        if (SUCCEEDED(DirectSoundCreate(nullptr, &device, nullptr)))
            device->Release();
    }
    const long long growth = grown(before, process_usage().commit);
    return growth < 0 ? 0 : growth;
}

// Prints both measures and checks the end against the one after warm-up,
// allowing `allowed` bytes more than the stated tolerance.
inline void expect_flat(const char *run, long cycles, const ProcessUsage &settled,
                        const ProcessUsage &end, long long allowed = 0) {
    std::printf("[ soak     ] %s: %ld cycles measured; commit %lld -> %lld KiB, working set %lld -> %lld KiB, "
                "handles %lu -> %lu; allowed beyond the tolerance %lld KiB\n",
                run, cycles, kib(settled.commit), kib(end.commit),
                kib(settled.working_set), kib(end.working_set),
                static_cast<unsigned long>(settled.handles), static_cast<unsigned long>(end.handles),
                allowed / 1024);
    EXPECT_NE(0u, settled.commit) << "GetProcessMemoryInfo answers";
    EXPECT_NE(0u, settled.handles) << "the handles are counted";
    EXPECT_LE(grown(settled.commit, end.commit), allowed + static_cast<long long>(soak_memory_tolerance))
        << "committed memory grew by " << grown(settled.commit, end.commit) / 1024 << " KiB";
    EXPECT_LE(grown(settled.working_set, end.working_set), allowed + static_cast<long long>(soak_memory_tolerance))
        << "working set grew by " << grown(settled.working_set, end.working_set) / 1024 << " KiB";
    EXPECT_LE(end.handles, settled.handles + soak_handle_tolerance)
        << "handles grew from " << settled.handles << " to " << end.handles;
}

#endif
