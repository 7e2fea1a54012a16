// Replaces a routine a module imports from a DLL, in that module's import
// address table, for as long as the ImportPatch lives. Tests use it to watch
// or fault a module's DirectSound device without changing the module.
#ifndef IMPORT_PATCH_H
#define IMPORT_PATCH_H

#include <windows.h>

class ImportPatch {
public:
    // Every entry of `module`'s import table that holds `dll`'s export
    // `routine` is pointed at `replacement`.
    ImportPatch(HMODULE module, const char *dll, const char *routine, const void *replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch &) = delete;
    ImportPatch &operator=(const ImportPatch &) = delete;

    int replaced() const { return replaced_; }  // entries pointed at the replacement
    FARPROC original() const { return original_; }

private:
    int rewrite(const void *from, const void *to);
    HMODULE module_;
    FARPROC original_;
    const void *replacement_;
    int replaced_ = 0;
};

#endif
