#include "import_patch.h"

ImportPatch::ImportPatch(HMODULE module, const char *dll, const char *routine,
                         const void *replacement)
    : module_(module), original_(GetProcAddress(GetModuleHandleA(dll), routine)),
      replacement_(replacement) {
    if (original_ != nullptr)
        replaced_ = rewrite(reinterpret_cast<const void *>(original_), replacement_);
}

ImportPatch::~ImportPatch() {
    if (replaced_ != 0)
        rewrite(replacement_, reinterpret_cast<const void *>(original_));
}

// Walks the module's import descriptors and rewrites each matching thunk.
int ImportPatch::rewrite(const void *from, const void *to) {
    BYTE *base = reinterpret_cast<BYTE *>(module_);
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return 0;
    int count = 0;
    for (const IMAGE_IMPORT_DESCRIPTOR *descriptor =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        for (IMAGE_THUNK_DATA *thunk =
                 reinterpret_cast<IMAGE_THUNK_DATA *>(base + descriptor->FirstThunk);
             thunk->u1.Function != 0; ++thunk) {
            if (reinterpret_cast<const void *>(thunk->u1.Function) != from)
                continue;
            DWORD protection;
            VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, PAGE_READWRITE,
                           &protection);
            thunk->u1.Function = reinterpret_cast<ULONG_PTR>(to);
            VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, protection,
                           &protection);
            ++count;
        }
    }
    return count;
}
