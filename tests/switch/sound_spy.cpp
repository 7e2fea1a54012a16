#include "sound_spy.h"

#include <cstring>

SoundSpy *SoundSpy::active = nullptr;

namespace {

std::string result_text(HRESULT result) {
    return result == DS_OK ? "0" : std::to_string(static_cast<unsigned long>(result));
}

HRESULT WINAPI spy_direct_sound_create(LPCGUID guid, LPDIRECTSOUND *device, LPUNKNOWN outer) {
    SoundSpy &spy = *SoundSpy::active;
    IDirectSound *real = nullptr;
    const HRESULT result = DirectSoundCreate(guid, &real, outer);
    spy.calls.push_back("DirectSoundCreate -> " + result_text(result));
    if (FAILED(result)) {
        *device = real;
        return result;
    }
    spy.devices.push_back(std::make_unique<SpyDevice>(spy, real));
    *device = spy.devices.back().get();
    return result;
}

}  // namespace

SoundSpy::SoundSpy(HMODULE module)
    : patch_(module, "dsound.dll", "DirectSoundCreate",
             reinterpret_cast<const void *>(spy_direct_sound_create)) {
    active = this;
}

SoundSpy::~SoundSpy() { active = nullptr; }

SpyBuffer *SoundSpy::wrap(IDirectSoundBuffer *real) {
    buffers.push_back(std::make_unique<SpyBuffer>(*this, "b" + std::to_string(buffers.size()), real));
    return buffers.back().get();
}

HRESULT SpyBuffer::log(const std::string &call, HRESULT result) {
    spy_.calls.push_back(name + " " + call + " -> " + result_text(result));
    return result;
}

HRESULT STDMETHODCALLTYPE SpyBuffer::QueryInterface(REFIID id, void **object) {
    const HRESULT result = real->QueryInterface(id, object);
    return log(IsEqualGUID(id, IID_IDirectSound3DBuffer) ? "QueryInterface 3D" : "QueryInterface",
               result);
}

ULONG STDMETHODCALLTYPE SpyBuffer::Release() {
    const ULONG left = real->Release();
    spy_.calls.push_back(name + " Release -> " + std::to_string(left));
    return left;
}

HRESULT STDMETHODCALLTYPE SpyBuffer::GetCurrentPosition(LPDWORD play, LPDWORD write) {
    return log("GetCurrentPosition", real->GetCurrentPosition(play, write));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::GetStatus(LPDWORD status) {
    return log("GetStatus", real->GetStatus(status));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::Lock(DWORD offset, DWORD bytes, LPVOID *first,
                                          LPDWORD first_length, LPVOID *second,
                                          LPDWORD second_length, DWORD flags) {
    return log("Lock " + std::to_string(offset) + " " + std::to_string(bytes),
               real->Lock(offset, bytes, first, first_length, second, second_length, flags));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::Play(DWORD reserved1, DWORD reserved2, DWORD flags) {
    return log("Play " + std::to_string(reserved1) + " " + std::to_string(reserved2) + " " +
                   std::to_string(flags),
               real->Play(reserved1, reserved2, flags));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::SetCurrentPosition(DWORD position) {
    return log("SetCurrentPosition " + std::to_string(position), real->SetCurrentPosition(position));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::SetVolume(LONG volume) {
    return log("SetVolume " + std::to_string(volume), real->SetVolume(volume));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::SetPan(LONG pan) {
    return log("SetPan " + std::to_string(pan), real->SetPan(pan));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::SetFrequency(DWORD frequency) {
    return log("SetFrequency " + std::to_string(frequency), real->SetFrequency(frequency));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::Stop() { return log("Stop", real->Stop()); }

HRESULT STDMETHODCALLTYPE SpyBuffer::Unlock(LPVOID first, DWORD first_length, LPVOID second,
                                            DWORD second_length) {
    return log("Unlock", real->Unlock(first, first_length, second, second_length));
}

HRESULT STDMETHODCALLTYPE SpyBuffer::Restore() { return log("Restore", real->Restore()); }

ULONG STDMETHODCALLTYPE SpyDevice::Release() {
    const ULONG left = real->Release();
    spy_.calls.push_back("device Release -> " + std::to_string(left));
    return left;
}

HRESULT STDMETHODCALLTYPE SpyDevice::CreateSoundBuffer(LPCDSBUFFERDESC description,
                                                       LPLPDIRECTSOUNDBUFFER buffer,
                                                       IUnknown *outer) {
    DSBUFFERDESC1 seen = {};
    memcpy(&seen, description, sizeof seen);
    spy_.descriptions.push_back(seen);
    IDirectSoundBuffer *made = nullptr;
    const HRESULT result = real->CreateSoundBuffer(description, &made, outer);
    spy_.calls.push_back("device CreateSoundBuffer -> " + result_text(result));
    *buffer = SUCCEEDED(result) ? spy_.wrap(made) : made;
    return result;
}

HRESULT STDMETHODCALLTYPE SpyDevice::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                          LPLPDIRECTSOUNDBUFFER duplicate) {
    IDirectSoundBuffer *made = nullptr;
    const HRESULT result =
        real->DuplicateSoundBuffer(static_cast<SpyBuffer *>(original)->real, &made);
    spy_.calls.push_back("device DuplicateSoundBuffer -> " + result_text(result));
    *duplicate = SUCCEEDED(result) ? spy_.wrap(made) : made;
    return result;
}

HRESULT STDMETHODCALLTYPE SpyDevice::SetCooperativeLevel(HWND window, DWORD level) {
    spy_.cooperative_window = window;
    const HRESULT result = real->SetCooperativeLevel(window, level);
    spy_.calls.push_back("device SetCooperativeLevel " + std::to_string(level) + " -> " +
                         result_text(result));
    return result;
}
