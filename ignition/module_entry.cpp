// The module entry point: per-thread notifications are turned off, and no
// gauge work happens here.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    DisableThreadLibraryCalls(instance);
    return TRUE;
}
