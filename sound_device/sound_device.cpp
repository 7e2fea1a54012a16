// Helpers over the DirectSound device's own calls.
#include "sound_device.h"

// Defined here so that no GUID library needs to be linked.
extern "C" const GUID IID_IDirectSound3DBuffer = {
    0x279AFA86, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

HRESULT sound_device_create(SoundDevice *device) {
    *device = nullptr;
    HRESULT result = DirectSoundCreate(nullptr, device, nullptr);
    if (FAILED(result))
        *device = nullptr;
    return result;
}

HRESULT sound_device_set_cooperative_level(SoundDevice device, HWND window) {
    return device->SetCooperativeLevel(window, DSSCL_NORMAL);
}

HRESULT sound_device_create_buffer(SoundDevice device, const SoundBufferDescription *description,
                                   IDirectSoundBuffer **buffer) {
    *buffer = nullptr;
    // The device reads only as much of the record as its size field announces.
    HRESULT result = device->CreateSoundBuffer(
        reinterpret_cast<LPCDSBUFFERDESC>(description), buffer, nullptr);
    if (FAILED(result))
        *buffer = nullptr;
    return result;
}

void sound_device_release(SoundDevice *device) {
    if (*device != nullptr)
        (*device)->Release();
    *device = nullptr;
}

void sound_device_release_buffer(IDirectSoundBuffer **buffer) {
    if (*buffer != nullptr)
        (*buffer)->Release();
    *buffer = nullptr;
}
