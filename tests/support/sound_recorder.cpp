#include "sound_recorder.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

SoundRecorder *active_recorder = nullptr;
decltype(&DirectSoundCreate) real_direct_sound_create = nullptr;
std::set<const void *> live_buffer_wrappers;

const GUID iid_unknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID iid_direct_sound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const GUID iid_buffer = {0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const GUID iid_buffer_3d = {0x279AFA86, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

void note(const char *call) {
    if (active_recorder)
        active_recorder->calls.push_back(call);
}

class Buffer3DWrapper : public IDirectSound3DBuffer {
public:
    Buffer3DWrapper(IDirectSound3DBuffer *real, RecordedBuffer *record) : real_(real), record_(record) {
        record_->references_3d = 1;
    }
    STDMETHOD(QueryInterface)(REFIID riid, void **out) override { return real_->QueryInterface(riid, out); }
    STDMETHOD_(ULONG, AddRef)() override { return ++record_->references_3d; }
    STDMETHOD_(ULONG, Release)() override {
        note("Release3D");
        ULONG left = --record_->references_3d;
        if (left == 0) {
            real_->Release();
            delete this;
        }
        return left;
    }
    STDMETHOD(GetAllParameters)(LPDS3DBUFFER p) override { return real_->GetAllParameters(p); }
    STDMETHOD(GetConeAngles)(LPDWORD a, LPDWORD b) override { return real_->GetConeAngles(a, b); }
    STDMETHOD(GetConeOrientation)(LPD3DVECTOR v) override { return real_->GetConeOrientation(v); }
    STDMETHOD(GetConeOutsideVolume)(LPLONG v) override { return real_->GetConeOutsideVolume(v); }
    STDMETHOD(GetMaxDistance)(LPD3DVALUE d) override { return real_->GetMaxDistance(d); }
    STDMETHOD(GetMinDistance)(LPD3DVALUE d) override { return real_->GetMinDistance(d); }
    STDMETHOD(GetMode)(LPDWORD m) override { return real_->GetMode(m); }
    STDMETHOD(GetPosition)(LPD3DVECTOR v) override { return real_->GetPosition(v); }
    STDMETHOD(GetVelocity)(LPD3DVECTOR v) override { return real_->GetVelocity(v); }
    STDMETHOD(SetAllParameters)(LPCDS3DBUFFER p, DWORD a) override { return real_->SetAllParameters(p, a); }
    STDMETHOD(SetConeAngles)(DWORD i, DWORD o, DWORD a) override { return real_->SetConeAngles(i, o, a); }
    STDMETHOD(SetConeOrientation)(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD a) override {
        return real_->SetConeOrientation(x, y, z, a);
    }
    STDMETHOD(SetConeOutsideVolume)(LONG v, DWORD a) override { return real_->SetConeOutsideVolume(v, a); }
    STDMETHOD(SetMaxDistance)(D3DVALUE d, DWORD a) override { return real_->SetMaxDistance(d, a); }
    STDMETHOD(SetMinDistance)(D3DVALUE d, DWORD a) override { return real_->SetMinDistance(d, a); }
    STDMETHOD(SetMode)(DWORD m, DWORD a) override { return real_->SetMode(m, a); }
    STDMETHOD(SetPosition)(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD a) override {
        return real_->SetPosition(x, y, z, a);
    }
    STDMETHOD(SetVelocity)(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD a) override {
        return real_->SetVelocity(x, y, z, a);
    }

private:
    IDirectSound3DBuffer *real_;
    RecordedBuffer *record_;
};

class BufferWrapper : public IDirectSoundBuffer {
public:
    BufferWrapper(IDirectSoundBuffer *real, RecordedBuffer *record) : real_(real), record_(record) {
        record_->real = real;
        record_->references = 1;
        live_buffer_wrappers.insert(this);
    }
    IDirectSoundBuffer *real() const { return real_; }
    RecordedBuffer *record() const { return record_; }

    STDMETHOD(QueryInterface)(REFIID riid, void **out) override {
        if (IsEqualGUID(riid, iid_buffer_3d)) {
            note("QueryInterface3D");
            IDirectSound3DBuffer *real_3d = nullptr;
            HRESULT result = real_->QueryInterface(riid, reinterpret_cast<void **>(&real_3d));
            *out = result == S_OK ? new Buffer3DWrapper(real_3d, record_) : nullptr;
            return result;
        }
        if (IsEqualGUID(riid, iid_buffer) || IsEqualGUID(riid, iid_unknown)) {
            AddRef();
            *out = static_cast<IDirectSoundBuffer *>(this);
            return S_OK;
        }
        return real_->QueryInterface(riid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++record_->references; }
    STDMETHOD_(ULONG, Release)() override {
        note("ReleaseBuffer");
        ULONG left = --record_->references;
        if (left == 0) {
            real_->Release();
            record_->real = nullptr;
            live_buffer_wrappers.erase(this);
            delete this;
        }
        return left;
    }
    STDMETHOD(GetCaps)(LPDSBCAPS caps) override { return real_->GetCaps(caps); }
    STDMETHOD(GetCurrentPosition)(LPDWORD play, LPDWORD write) override {
        return real_->GetCurrentPosition(play, write);
    }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX f, DWORD s, LPDWORD w) override { return real_->GetFormat(f, s, w); }
    STDMETHOD(GetVolume)(LPLONG v) override { return real_->GetVolume(v); }
    STDMETHOD(GetPan)(LPLONG p) override { return real_->GetPan(p); }
    STDMETHOD(GetFrequency)(LPDWORD f) override { return real_->GetFrequency(f); }
    STDMETHOD(GetStatus)(LPDWORD status) override {
        note("GetStatus");
        ++record_->status_queries;
        return real_->GetStatus(status);
    }
    STDMETHOD(Initialize)(LPDIRECTSOUND d, LPCDSBUFFERDESC b) override { return real_->Initialize(d, b); }
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID *first, LPDWORD first_length, LPVOID *second,
                    LPDWORD second_length, DWORD flags) override {
        note("Lock");
        ++record_->locks;
        return real_->Lock(offset, bytes, first, first_length, second, second_length, flags);
    }
    STDMETHOD(Play)(DWORD reserved1, DWORD reserved2, DWORD flags) override {
        note("Play");
        ++record_->plays;
        record_->last_play_flags = flags;
        return real_->Play(reserved1, reserved2, flags);
    }
    STDMETHOD(SetCurrentPosition)(DWORD position) override {
        note("SetCurrentPosition");
        ++record_->rewinds;
        return real_->SetCurrentPosition(position);
    }
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX f) override { return real_->SetFormat(f); }
    STDMETHOD(SetVolume)(LONG v) override {
        note("SetVolume");
        return real_->SetVolume(v);
    }
    STDMETHOD(SetPan)(LONG p) override {
        note("SetPan");
        return real_->SetPan(p);
    }
    STDMETHOD(SetFrequency)(DWORD f) override {
        note("SetFrequency");
        return real_->SetFrequency(f);
    }
    STDMETHOD(Stop)() override {
        note("Stop");
        ++record_->stops;
        return real_->Stop();
    }
    STDMETHOD(Unlock)(LPVOID first, DWORD first_length, LPVOID second, DWORD second_length) override {
        note("Unlock");
        return real_->Unlock(first, first_length, second, second_length);
    }
    STDMETHOD(Restore)() override {
        note("Restore");
        ++record_->restores;
        return real_->Restore();
    }

private:
    IDirectSoundBuffer *real_;
    RecordedBuffer *record_;
};

// A new record for a buffer the gauge is about to be given.
RecordedBuffer *new_buffer_record() {
    active_recorder->buffers.push_back(std::make_unique<RecordedBuffer>());
    return active_recorder->buffers.back().get();
}

class DeviceWrapper : public IDirectSound {
public:
    DeviceWrapper(IDirectSound *real, RecordedDevice *record) : real_(real), record_(record) {
        record_->references = 1;
    }
    STDMETHOD(QueryInterface)(REFIID riid, void **out) override {
        if (IsEqualGUID(riid, iid_direct_sound) || IsEqualGUID(riid, iid_unknown)) {
            AddRef();
            *out = static_cast<IDirectSound *>(this);
            return S_OK;
        }
        return real_->QueryInterface(riid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++record_->references; }
    STDMETHOD_(ULONG, Release)() override {
        note("ReleaseDevice");
        ULONG left = --record_->references;
        if (left == 0) {
            real_->Release();
            delete this;
        }
        return left;
    }
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC description, LPLPDIRECTSOUNDBUFFER out,
                                 IUnknown *outer) override {
        note("CreateSoundBuffer");
        IDirectSoundBuffer *real_buffer = nullptr;
        HRESULT result = real_->CreateSoundBuffer(description, &real_buffer, outer);
        if (FAILED(result)) {
            *out = nullptr;
            return result;
        }
        RecordedBuffer *record = new_buffer_record();
        memcpy(&record->description, description, sizeof record->description);
        record->flags = description->dwFlags;
        record->bytes = description->dwBufferBytes;
        if (description->lpwfxFormat)
            record->format = *description->lpwfxFormat;
        *out = new BufferWrapper(real_buffer, record);
        return result;
    }
    STDMETHOD(GetCaps)(LPDSCAPS caps) override { return real_->GetCaps(caps); }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER original, LPLPDIRECTSOUNDBUFFER out) override {
        note("DuplicateSoundBuffer");
        if (live_buffer_wrappers.count(original) == 0) {
            *out = nullptr;
            return DSERR_INVALIDPARAM;
        }
        BufferWrapper *source = static_cast<BufferWrapper *>(original);
        IDirectSoundBuffer *real_copy = nullptr;
        HRESULT result = real_->DuplicateSoundBuffer(source->real(), &real_copy);
        if (FAILED(result)) {
            *out = nullptr;
            return result;
        }
        RecordedBuffer *record = new_buffer_record();
        record->flags = source->record()->flags;
        record->bytes = source->record()->bytes;
        record->format = source->record()->format;
        record->duplicate = true;
        *out = new BufferWrapper(real_copy, record);
        return result;
    }
    STDMETHOD(SetCooperativeLevel)(HWND window, DWORD level) override {
        note("SetCooperativeLevel");
        record_->cooperative_window = window;
        record_->cooperative_level = level;
        return real_->SetCooperativeLevel(window, level);
    }
    STDMETHOD(Compact)() override { return real_->Compact(); }
    STDMETHOD(GetSpeakerConfig)(LPDWORD c) override { return real_->GetSpeakerConfig(c); }
    STDMETHOD(SetSpeakerConfig)(DWORD c) override { return real_->SetSpeakerConfig(c); }
    STDMETHOD(Initialize)(LPCGUID g) override { return real_->Initialize(g); }

private:
    IDirectSound *real_;
    RecordedDevice *record_;
};

HRESULT WINAPI recording_direct_sound_create(LPCGUID device_id, LPDIRECTSOUND *out, LPUNKNOWN outer) {
    note("DirectSoundCreate");
    *out = nullptr;
    if (active_recorder == nullptr || active_recorder->fail_device_creation)
        return DSERR_NODRIVER;
    IDirectSound *real = nullptr;
    HRESULT result = real_direct_sound_create(device_id, &real, outer);
    if (FAILED(result))
        return result;
    active_recorder->devices.push_back(std::make_unique<RecordedDevice>());
    *out = new DeviceWrapper(real, active_recorder->devices.back().get());
    return result;
}

}  // namespace

SoundRecorder::SoundRecorder(HMODULE gauge)
    : patch_(gauge, "dsound.dll", "DirectSoundCreate",
             reinterpret_cast<const void *>(&recording_direct_sound_create)) {
    active_recorder = this;
    real_direct_sound_create = reinterpret_cast<decltype(&DirectSoundCreate)>(patch_.original());
}

SoundRecorder::~SoundRecorder() {
    if (active_recorder == this)
        active_recorder = nullptr;
}

SoundRecorder *SoundRecorder::active() { return active_recorder; }

int SoundRecorder::live_references() const {
    int live = 0;
    for (const auto &device : devices)
        live += device->references;
    for (const auto &buffer : buffers)
        live += buffer->references + buffer->references_3d;
    return live;
}

void SoundRecorder::forget_released() {
    calls.clear();
    auto released = [](const auto &record) { return record->references == 0; };
    devices.erase(std::remove_if(devices.begin(), devices.end(), released), devices.end());
    buffers.erase(std::remove_if(buffers.begin(), buffers.end(),
                                 [](const std::unique_ptr<RecordedBuffer> &buffer) {
                                     return buffer->references == 0 && buffer->references_3d == 0;
                                 }),
                  buffers.end());
}
