// Loading a gauge file whose entry point may fault. The system's loader
// runs the entry point holding its lock and fails the load when it faults;
// the bench must never jump out of the loader itself, so it only watches:
// a vectored handler notes the exception, and the load's failure names it.
#ifndef PANEL_HOST_LOAD_WATCH_H
#define PANEL_HOST_LOAD_WATCH_H

#include <windows.h>

#include <string>

namespace panel_host {

// LoadLibraryA(path); `fault` describes the first exception raised in the
// file's own code while it loaded ("access violation writing 0x00000000 at
// X.gau+0x1234"), or is left empty.
HMODULE load_library_watched(const std::string &path, std::string &fault);

// An exception as a stop names it: "integer division by zero".
std::string describe_exception(DWORD code, DWORD flags, ULONG_PTR access, ULONG_PTR address);

}  // namespace panel_host

#endif
