// A watch on a module's real DirectSound device: the module's import of
// DirectSoundCreate is pointed at a routine that opens the real device and
// hands the module a spy in its place. Spies forward every call to the real
// objects and log it; the real buffers stay reachable for the test to query.
#ifndef SOUND_SPY_H
#define SOUND_SPY_H

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <memory>
#include <string>
#include <vector>

#include "import_patch.h"

class SoundSpy;

class SpyBuffer : public IDirectSoundBuffer {
public:
    SpyBuffer(SoundSpy &spy, std::string name, IDirectSoundBuffer *real)
        : name(std::move(name)), real(real), spy_(spy) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return real->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS caps) override { return real->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD play, LPDWORD write) override;
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override {
        return real->GetFormat(format, size, written);
    }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) override { return real->GetVolume(volume); }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) override { return real->GetPan(pan); }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) override {
        return real->GetFrequency(frequency);
    }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND device, LPCDSBUFFERDESC description) override {
        return real->Initialize(device, description);
    }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID *first, LPDWORD first_length,
                                   LPVOID *second, LPDWORD second_length, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved1, DWORD reserved2, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override;
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) override {
        return real->SetFormat(format);
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override;
    HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override;
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID first, DWORD first_length, LPVOID second,
                                     DWORD second_length) override;
    HRESULT STDMETHODCALLTYPE Restore() override;

    std::string name;
    IDirectSoundBuffer *real;

private:
    HRESULT log(const std::string &call, HRESULT result);
    SoundSpy &spy_;
};

class SpyDevice : public IDirectSound {
public:
    SpyDevice(SoundSpy &spy, IDirectSound *real) : real(real), spy_(spy) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override {
        return real->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return real->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description,
                                                LPLPDIRECTSOUNDBUFFER buffer,
                                                IUnknown *outer) override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS caps) override { return real->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                   LPLPDIRECTSOUNDBUFFER duplicate) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT STDMETHODCALLTYPE Compact() override { return real->Compact(); }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD config) override {
        return real->GetSpeakerConfig(config);
    }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD config) override {
        return real->SetSpeakerConfig(config);
    }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID guid) override { return real->Initialize(guid); }

    IDirectSound *real;

private:
    SoundSpy &spy_;
};

class SoundSpy {
public:
    // Watches the devices `module` opens from now on, until the spy goes.
    explicit SoundSpy(HMODULE module);
    ~SoundSpy();
    SoundSpy(const SoundSpy &) = delete;
    SoundSpy &operator=(const SoundSpy &) = delete;

    bool watching() const { return patch_.replaced() == 1; }

    std::vector<std::string> calls;  // in order, with results: "b0 Play 0 0 0 -> 0"
    std::vector<std::unique_ptr<SpyDevice>> devices;
    std::vector<std::unique_ptr<SpyBuffer>> buffers;
    std::vector<DSBUFFERDESC1> descriptions;  // as CreateSoundBuffer received them
    HWND cooperative_window = reinterpret_cast<HWND>(-1);

    SpyBuffer *wrap(IDirectSoundBuffer *real);
    static SoundSpy *active;

private:
    ImportPatch patch_;
};

#endif
