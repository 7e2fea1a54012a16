// Keeps the Wine desktop up for the whole test run. Asking for the desktop
// window starts the desktop process; the keeper then says so on its output
// and stays attached, until the fixture stops the wineserver.
#include <windows.h>

#include <cstdio>

int main() {
    if (GetDesktopWindow() == nullptr)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    Sleep(INFINITE);
}
