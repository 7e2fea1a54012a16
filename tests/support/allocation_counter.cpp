#include "allocation_counter.h"

#include <cstdlib>

namespace {

long allocated = 0;
long freed = 0;

decltype(&LocalAlloc) real_local_alloc;
decltype(&LocalReAlloc) real_local_realloc;
decltype(&LocalFree) real_local_free;
decltype(&GlobalAlloc) real_global_alloc;
decltype(&GlobalReAlloc) real_global_realloc;
decltype(&GlobalFree) real_global_free;
decltype(&HeapAlloc) real_heap_alloc;
decltype(&HeapReAlloc) real_heap_realloc;
decltype(&HeapFree) real_heap_free;
void *(__cdecl *real_malloc)(size_t);
void *(__cdecl *real_calloc)(size_t, size_t);
void *(__cdecl *real_realloc)(void *, size_t);
void(__cdecl *real_free)(void *);

// A successful allocation counts once; a null result or a freed null counts nothing.
template <typename T> T counted_allocation(T block) {
    if (block != nullptr)
        ++allocated;
    return block;
}
void count_free(const void *block) {
    if (block != nullptr)
        ++freed;
}
void count_reallocation(const void *old_block, const void *new_block) {
    if (new_block != nullptr)
        ++allocated;
    if (old_block != nullptr && new_block != nullptr)
        ++freed;
}

HLOCAL WINAPI counting_local_alloc(UINT flags, SIZE_T bytes) {
    return counted_allocation(real_local_alloc(flags, bytes));
}
HLOCAL WINAPI counting_local_realloc(HLOCAL block, SIZE_T bytes, UINT flags) {
    HLOCAL result = real_local_realloc(block, bytes, flags);
    count_reallocation(block, result);
    return result;
}
HLOCAL WINAPI counting_local_free(HLOCAL block) {
    count_free(block);
    return real_local_free(block);
}
HGLOBAL WINAPI counting_global_alloc(UINT flags, SIZE_T bytes) {
    return counted_allocation(real_global_alloc(flags, bytes));
}
HGLOBAL WINAPI counting_global_realloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
    HGLOBAL result = real_global_realloc(block, bytes, flags);
    count_reallocation(block, result);
    return result;
}
HGLOBAL WINAPI counting_global_free(HGLOBAL block) {
    count_free(block);
    return real_global_free(block);
}
LPVOID WINAPI counting_heap_alloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    return counted_allocation(real_heap_alloc(heap, flags, bytes));
}
LPVOID WINAPI counting_heap_realloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T bytes) {
    LPVOID result = real_heap_realloc(heap, flags, block, bytes);
    count_reallocation(block, result);
    return result;
}
BOOL WINAPI counting_heap_free(HANDLE heap, DWORD flags, LPVOID block) {
    count_free(block);
    return real_heap_free(heap, flags, block);
}
void *__cdecl counting_malloc(size_t bytes) { return counted_allocation(real_malloc(bytes)); }
void *__cdecl counting_calloc(size_t count, size_t bytes) {
    return counted_allocation(real_calloc(count, bytes));
}
void *__cdecl counting_realloc(void *block, size_t bytes) {
    void *result = real_realloc(block, bytes);
    count_reallocation(block, result);
    return result;
}
void __cdecl counting_free(void *block) {
    count_free(block);
    real_free(block);
}

}  // namespace

AllocationCounter::AllocationCounter(HMODULE module) {
    reset();
    // Patches the import and keeps the routine it stood for, for the counting routine to call.
    auto patch = [&](const char *dll, const char *routine, auto replacement, auto &real) {
        patches_.push_back(std::make_unique<ImportPatch>(
            module, dll, routine, reinterpret_cast<const void *>(replacement)));
        real = reinterpret_cast<std::remove_reference_t<decltype(real)>>(patches_.back()->original());
    };
    patch("kernel32.dll", "LocalAlloc", &counting_local_alloc, real_local_alloc);
    patch("kernel32.dll", "LocalReAlloc", &counting_local_realloc, real_local_realloc);
    patch("kernel32.dll", "LocalFree", &counting_local_free, real_local_free);
    patch("kernel32.dll", "GlobalAlloc", &counting_global_alloc, real_global_alloc);
    patch("kernel32.dll", "GlobalReAlloc", &counting_global_realloc, real_global_realloc);
    patch("kernel32.dll", "GlobalFree", &counting_global_free, real_global_free);
    patch("kernel32.dll", "HeapAlloc", &counting_heap_alloc, real_heap_alloc);
    patch("kernel32.dll", "HeapReAlloc", &counting_heap_realloc, real_heap_realloc);
    patch("kernel32.dll", "HeapFree", &counting_heap_free, real_heap_free);
    patch("msvcrt.dll", "malloc", &counting_malloc, real_malloc);
    patch("msvcrt.dll", "calloc", &counting_calloc, real_calloc);
    patch("msvcrt.dll", "realloc", &counting_realloc, real_realloc);
    patch("msvcrt.dll", "free", &counting_free, real_free);
}

AllocationCounter::~AllocationCounter() = default;

long AllocationCounter::allocations() const { return allocated; }
long AllocationCounter::frees() const { return freed; }

void AllocationCounter::reset() {
    allocated = 0;
    freed = 0;
}

int AllocationCounter::patched() const {
    int entries = 0;
    for (const auto &patch : patches_)
        entries += patch->replaced();
    return entries;
}
