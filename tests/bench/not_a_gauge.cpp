// Libraries that a panel may name but that are no gauge files: one without
// Linkage, one whose Linkage has another module identifier, one without
// ImportTable. Which one is built is chosen by a definition.
#include "host_records.h"

#if defined(NO_LINKAGE)
extern "C" __declspec(dllexport) int Something = 1;
#else
extern "C" __declspec(dllexport) ModuleLinkage Linkage = {
#if defined(WRONG_MODULE_ID)
    0x12,
#else
    MODULE_ID,
#endif
    nullptr, nullptr, 0, 0, 0, {nullptr, nullptr}};
#if !defined(NO_IMPORT_TABLE)
extern "C" __declspec(dllexport) ModuleImports ImportTable = {{IMPORT_PANEL_SERVICES, nullptr},
                                                             {0, nullptr}};
#endif
#endif
