// Brings up the Wine session's helper processes once for the whole test run
// and holds them up. Asking for the desktop window starts the desktop
// process; opening a sound device starts the RPC service. The keeper then
// says so on its output and stays attached until the fixture stops the
// wineserver. Started by a test instead, these processes would inherit that
// test's output, and CTest would wait for them to end, some ten seconds.
#include <windows.h>

#include <dsound.h>

#include <cstdio>

int main() {
    if (GetDesktopWindow() == nullptr)
        return 1;
    IDirectSound *device = nullptr;
    if (SUCCEEDED(DirectSoundCreate(nullptr, &device, nullptr)))
        device->Release();
    std::puts("ready");
    std::fflush(stdout);
    Sleep(INFINITE);
}
