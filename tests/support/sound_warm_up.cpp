// Opens and releases the default DirectSound device once, before the tests.
// The first device of a Wine session starts the desktop and RPC processes;
// started by a test program, they would inherit its output, and CTest would
// wait for them to end (some ten seconds) before it counts the test done.
#include <windows.h>
#include <dsound.h>

int main() {
    IDirectSound *device = nullptr;
    if (FAILED(DirectSoundCreate(nullptr, &device, nullptr)))
        return 1;
    device->Release();
    return 0;
}
