#include "fake_direct_sound.h"

#include <cstring>

HRESULT STDMETHODCALLTYPE FakePositioning::QueryInterface(REFIID, void **object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

FakeSoundBuffer::FakeSoundBuffer(FakeSoundDevice &device, std::string buffer_name,
                                 std::shared_ptr<std::vector<uint8_t>> bytes)
    : name(std::move(buffer_name)), memory(std::move(bytes)), device_(device) {}

void FakeSoundBuffer::log(const std::string &call) { device_.calls.push_back(name + " " + call); }

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::QueryInterface(REFIID id, void **object) {
    log("QueryInterface");
    *object = nullptr;
    if (!IsEqualGUID(id, IID_IDirectSound3DBuffer))
        return E_NOINTERFACE;
    if (FAILED(positioning_result))
        return positioning_result;
    positioning.AddRef();
    *object = &positioning;
    return positioning_result;
}

ULONG STDMETHODCALLTYPE FakeSoundBuffer::AddRef() { return ++references; }

ULONG STDMETHODCALLTYPE FakeSoundBuffer::Release() {
    log("Release");
    return --references;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::GetStatus(LPDWORD reported) {
    log("GetStatus");
    *reported = SUCCEEDED(status_result) ? status : 0xFFFFFFFF;
    return status_result;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID *first,
                                                LPDWORD first_length, LPVOID *second,
                                                LPDWORD second_length, DWORD flags) {
    log("Lock " + std::to_string(offset) + " " + std::to_string(bytes) + " " +
        std::to_string(flags));
    if (FAILED(lock_result))
        return lock_result;
    if (bytes > memory->size())
        return DSERR_INVALIDPARAM;
    if (lock_split != 0 && lock_split < bytes) {
        second_part.assign(bytes - lock_split, 0);
        *first = memory->data();
        *first_length = lock_split;
        *second = second_part.data();
        *second_length = bytes - lock_split;
    } else {
        *first = memory->data();
        *first_length = bytes;
        *second = nullptr;
        *second_length = 0;
    }
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Unlock(LPVOID first, DWORD first_length, LPVOID second,
                                                  DWORD second_length) {
    log("Unlock " + std::to_string(first == memory->data()) + " " + std::to_string(first_length) +
        " " + std::to_string(second != nullptr && second == second_part.data()) + " " +
        std::to_string(second_length));
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Play(DWORD reserved1, DWORD reserved2, DWORD flags) {
    log("Play " + std::to_string(reserved1) + " " + std::to_string(reserved2) + " " +
        std::to_string(flags));
    if (SUCCEEDED(play_result))
        status |= DSBSTATUS_PLAYING;
    return play_result;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetCurrentPosition(DWORD position) {
    log("SetCurrentPosition " + std::to_string(position));
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetVolume(LONG volume) {
    log("SetVolume " + std::to_string(volume));
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetPan(LONG pan) {
    log("SetPan " + std::to_string(pan));
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::SetFrequency(DWORD frequency) {
    log("SetFrequency " + std::to_string(frequency));
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Stop() {
    log("Stop");
    status &= ~DWORD(DSBSTATUS_PLAYING);
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundBuffer::Restore() {
    log("Restore");
    if (SUCCEEDED(restore_result))
        status &= ~DWORD(DSBSTATUS_BUFFERLOST);
    return restore_result;
}

HRESULT STDMETHODCALLTYPE FakeSoundDevice::QueryInterface(REFIID, void **object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FakeSoundDevice::AddRef() { return ++references; }

ULONG STDMETHODCALLTYPE FakeSoundDevice::Release() {
    calls.push_back("device Release");
    return --references;
}

HRESULT STDMETHODCALLTYPE FakeSoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC description,
                                                             LPLPDIRECTSOUNDBUFFER buffer,
                                                             IUnknown *outer) {
    calls.push_back("device CreateSoundBuffer");
    *buffer = nullptr;
    DSBUFFERDESC1 seen = {};
    memcpy(&seen, description, sizeof seen);
    descriptions.push_back(seen);
    const bool fails_now =
        create_failures_after >= 0 && int(descriptions.size()) > create_failures_after;
    if (FAILED(create_result) || fails_now)
        return FAILED(create_result) ? create_result : DSERR_OUTOFMEMORY;
    // As the real device does: a record of another size, a null format or a length of 0 is refused.
    if (outer != nullptr || seen.dwSize != sizeof(DSBUFFERDESC1) || seen.lpwfxFormat == nullptr ||
        seen.dwBufferBytes == 0)
        return DSERR_INVALIDPARAM;
    buffers.push_back(std::make_unique<FakeSoundBuffer>(
        *this, "b" + std::to_string(buffers.size()),
        std::make_shared<std::vector<uint8_t>>(seen.dwBufferBytes, 0)));
    buffers.back()->positioning_result = new_buffer_positioning_result;
    buffers.back()->lock_split = new_buffer_lock_split;
    buffers.back()->lock_result = new_buffer_lock_result;
    *buffer = buffers.back().get();
    return create_result;
}

HRESULT STDMETHODCALLTYPE FakeSoundDevice::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                                LPLPDIRECTSOUNDBUFFER duplicate) {
    FakeSoundBuffer *source = static_cast<FakeSoundBuffer *>(original);
    calls.push_back("device DuplicateSoundBuffer " + source->name);
    if (FAILED(duplicate_result)) {
        *duplicate = reinterpret_cast<LPDIRECTSOUNDBUFFER>(0xBAD);  // left behind by the failure
        return duplicate_result;
    }
    buffers.push_back(std::make_unique<FakeSoundBuffer>(
        *this, "b" + std::to_string(buffers.size()), source->memory));
    *duplicate = buffers.back().get();
    return DS_OK;
}

HRESULT STDMETHODCALLTYPE FakeSoundDevice::SetCooperativeLevel(HWND window, DWORD level) {
    calls.push_back("device SetCooperativeLevel " + std::to_string(level));
    cooperative_window = window;
    cooperative_level = level;
    return cooperative_result;
}

bool FakeSoundDevice::buffers_held() const {
    for (const auto &buffer : buffers)
        if (buffer->references != 0 || buffer->positioning.references != 0)
            return true;
    return false;
}
