// Fake DirectSound device and buffers with real COM vtables, for the faults a
// real device does not show: lost buffers, failing calls, a lock handed back
// in two parts. Every call is logged in order; references are counted and the
// fakes outlive their last release, so tests can check that none is left.
#ifndef FAKE_DIRECT_SOUND_H
#define FAKE_DIRECT_SOUND_H

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <memory>
#include <string>
#include <vector>

class FakeSoundDevice;

// The interface a buffer hands out for 3D positioning: counted, nothing more.
class FakePositioning : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    LONG references = 0;
};

class FakeSoundBuffer : public IDirectSoundBuffer {
public:
    FakeSoundBuffer(FakeSoundDevice &device, std::string name,
                    std::shared_ptr<std::vector<uint8_t>> memory);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDirectSoundBuffer
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID *first, LPDWORD first_length,
                                   LPVOID *second, LPDWORD second_length, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved1, DWORD reserved2, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override;
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override;
    HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override;
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID first, DWORD first_length, LPVOID second,
                                     DWORD second_length) override;
    HRESULT STDMETHODCALLTYPE Restore() override;

    std::string name;  // "b0", "b1", ... in the order the device made them
    LONG references = 1;
    FakePositioning positioning;
    std::shared_ptr<std::vector<uint8_t>> memory;  // shared with duplicates

    // What the buffer reports and answers; Play and Stop change `status`.
    DWORD status = 0;
    HRESULT status_result = DS_OK;
    HRESULT lock_result = DS_OK;
    HRESULT play_result = DS_OK;
    HRESULT restore_result = DS_OK;
    HRESULT positioning_result = S_OK;  // QueryInterface for the 3D interface
    DWORD lock_split = 0;  // when not 0: Lock hands back this many bytes, the rest in a second part
    std::vector<uint8_t> second_part;  // where a split lock's second part lies

private:
    void log(const std::string &call);
    FakeSoundDevice &device_;
};

class FakeSoundDevice : public IDirectSound {
public:
    FakeSoundDevice() = default;
    FakeSoundDevice(const FakeSoundDevice &) = delete;
    FakeSoundDevice &operator=(const FakeSoundDevice &) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDirectSound
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description,
                                                LPLPDIRECTSOUNDBUFFER buffer,
                                                IUnknown *outer) override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                   LPLPDIRECTSOUNDBUFFER duplicate) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT STDMETHODCALLTYPE Compact() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return E_NOTIMPL; }

    FakeSoundBuffer &buffer(size_t index) { return *buffers[index]; }
    // Whether any reference to a buffer or a 3D interface is held.
    bool buffers_held() const;

    LONG references = 1;
    std::vector<std::string> calls;  // every call on the device and its buffers, in order
    std::vector<std::unique_ptr<FakeSoundBuffer>> buffers;
    std::vector<DSBUFFERDESC1> descriptions;  // as CreateSoundBuffer received them

    HRESULT create_result = DS_OK;      // CreateSoundBuffer, for every call; a success code comes with a buffer
    int create_failures_after = -1;     // when >= 0: calls after this many fail
    HRESULT duplicate_result = DS_OK;
    HRESULT cooperative_result = DS_OK;
    HWND cooperative_window = reinterpret_cast<HWND>(-1);
    DWORD cooperative_level = 0;
    // Set on every buffer the device makes.
    HRESULT new_buffer_positioning_result = S_OK;
    HRESULT new_buffer_lock_result = DS_OK;
    DWORD new_buffer_lock_split = 0;
};

#endif
