// Counts the memory blocks a loaded module allocates and frees through its own
// imports (LocalAlloc, GlobalAlloc, HeapAlloc, malloc, calloc, realloc and
// their frees), by pointing those imports at counting routines for as long as
// the counter lives. Allocations inside the system DLLs it calls are not seen.
#ifndef ALLOCATION_COUNTER_H
#define ALLOCATION_COUNTER_H

#include <windows.h>

#include <memory>
#include <vector>

#include "import_patch.h"

class AllocationCounter {
public:
    explicit AllocationCounter(HMODULE module);  // one counter at a time
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter &) = delete;
    AllocationCounter &operator=(const AllocationCounter &) = delete;

    // Blocks allocated and freed since the counter was made or last reset;
    // a reallocation counts as one of each.
    long allocations() const;
    long frees() const;
    long outstanding() const { return allocations() - frees(); }
    void reset();
    // How many of the module's import entries are counted.
    int patched() const;

private:
    std::vector<std::unique_ptr<ImportPatch>> patches_;
};

#endif
