#include "sound_wrappers.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

std::set<const void *> live_buffer_wrappers;

const GUID iid_unknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID iid_direct_sound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const GUID iid_buffer = {0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const GUID iid_buffer_3d = {0x279AFA86, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

class Buffer3DWrapper final : public IDirectSound3DBuffer {
public:
    Buffer3DWrapper(IDirectSound3DBuffer *real, RecordedBuffer *record, SoundRecorder *recorder)
        : real_(real), record_(record), recorder_(recorder) {
        record_->references_3d = 1;
    }
    STDMETHOD(QueryInterface)(REFIID riid, void **out) override { return real_->QueryInterface(riid, out); }
    STDMETHOD_(ULONG, AddRef)() override { return ++record_->references_3d; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG left = --record_->references_3d;
        RecordedBuffer *record = record_;
        SoundRecorder *recorder = recorder_;
        if (left == 0) {
            real_->Release();
            delete this;
        }
        recorder->note({"Release3D", static_cast<HRESULT>(left), nullptr, record});
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
    SoundRecorder *recorder_;
};

class BufferWrapper final : public IDirectSoundBuffer {
public:
    BufferWrapper(IDirectSoundBuffer *real, RecordedBuffer *record, SoundRecorder *recorder)
        : real_(real), record_(record), recorder_(recorder) {
        record_->real = real;
        record_->references = 1;
        live_buffer_wrappers.insert(this);
    }
    IDirectSoundBuffer *real() const { return real_; }
    RecordedBuffer *record() const { return record_; }

    STDMETHOD(QueryInterface)(REFIID riid, void **out) override {
        if (IsEqualGUID(riid, iid_buffer_3d)) {
            IDirectSound3DBuffer *real_3d = nullptr;
            HRESULT result = real_->QueryInterface(riid, reinterpret_cast<void **>(&real_3d));
            *out = result == S_OK ? new Buffer3DWrapper(real_3d, record_, recorder_) : nullptr;
            return noted("QueryInterface3D", result);
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
        ULONG left = --record_->references;
        RecordedBuffer *record = record_;
        SoundRecorder *recorder = recorder_;
        if (left == 0) {
            real_->Release();
            record_->real = nullptr;
            live_buffer_wrappers.erase(this);
            delete this;
        }
        recorder->note({"ReleaseBuffer", static_cast<HRESULT>(left), nullptr, record});
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
        ++record_->status_queries;
        return noted("GetStatus", real_->GetStatus(status));
    }
    STDMETHOD(Initialize)(LPDIRECTSOUND d, LPCDSBUFFERDESC b) override { return real_->Initialize(d, b); }
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID *first, LPDWORD first_length, LPVOID *second,
                    LPDWORD second_length, DWORD flags) override {
        ++record_->locks;
        return noted("Lock", real_->Lock(offset, bytes, first, first_length, second, second_length, flags));
    }
    STDMETHOD(Play)(DWORD reserved1, DWORD reserved2, DWORD flags) override {
        ++record_->plays;
        record_->last_play_flags = flags;
        return noted("Play", real_->Play(reserved1, reserved2, flags));
    }
    STDMETHOD(SetCurrentPosition)(DWORD position) override {
        ++record_->rewinds;
        return noted("SetCurrentPosition", real_->SetCurrentPosition(position));
    }
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX f) override { return real_->SetFormat(f); }
    STDMETHOD(SetVolume)(LONG v) override { return noted("SetVolume", real_->SetVolume(v)); }
    STDMETHOD(SetPan)(LONG p) override { return noted("SetPan", real_->SetPan(p)); }
    STDMETHOD(SetFrequency)(DWORD f) override { return noted("SetFrequency", real_->SetFrequency(f)); }
    STDMETHOD(Stop)() override {
        ++record_->stops;
        return noted("Stop", real_->Stop());
    }
    STDMETHOD(Unlock)(LPVOID first, DWORD first_length, LPVOID second, DWORD second_length) override {
        return noted("Unlock", real_->Unlock(first, first_length, second, second_length));
    }
    STDMETHOD(Restore)() override {
        ++record_->restores;
        return noted("Restore", real_->Restore());
    }

private:
    HRESULT noted(const char *call, HRESULT result) {
        recorder_->note({call, result, nullptr, record_});
        return result;
    }

    IDirectSoundBuffer *real_;
    RecordedBuffer *record_;
    SoundRecorder *recorder_;
};

// A new record for a buffer the gauge is about to be given.
RecordedBuffer *new_buffer_record(SoundRecorder *recorder) {
    recorder->buffers.push_back(std::make_unique<RecordedBuffer>());
    recorder->buffers.back()->number = static_cast<int>(recorder->buffers.size());
    return recorder->buffers.back().get();
}

class DeviceWrapper final : public IDirectSound {
public:
    DeviceWrapper(IDirectSound *real, RecordedDevice *record, SoundRecorder *recorder)
        : real_(real), record_(record), recorder_(recorder) {
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
        ULONG left = --record_->references;
        RecordedDevice *record = record_;
        SoundRecorder *recorder = recorder_;
        if (left == 0) {
            real_->Release();
            delete this;
        }
        recorder->note({"ReleaseDevice", static_cast<HRESULT>(left), record, nullptr});
        return left;
    }
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC description, LPLPDIRECTSOUNDBUFFER out,
                                 IUnknown *outer) override {
        IDirectSoundBuffer *real_buffer = nullptr;
        HRESULT result = real_->CreateSoundBuffer(description, &real_buffer, outer);
        if (FAILED(result)) {
            *out = nullptr;
            return noted("CreateSoundBuffer", result, nullptr);
        }
        RecordedBuffer *record = new_buffer_record(recorder_);
        memcpy(&record->description, description, sizeof record->description);
        record->flags = description->dwFlags;
        record->bytes = description->dwBufferBytes;
        if (description->lpwfxFormat)
            record->format = *description->lpwfxFormat;
        *out = new BufferWrapper(real_buffer, record, recorder_);
        return noted("CreateSoundBuffer", result, record);
    }
    STDMETHOD(GetCaps)(LPDSCAPS caps) override { return real_->GetCaps(caps); }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER original, LPLPDIRECTSOUNDBUFFER out) override {
        if (live_buffer_wrappers.count(original) == 0) {
            *out = nullptr;
            return noted("DuplicateSoundBuffer", DSERR_INVALIDPARAM, nullptr);
        }
        BufferWrapper *source = static_cast<BufferWrapper *>(original);
        IDirectSoundBuffer *real_copy = nullptr;
        HRESULT result = real_->DuplicateSoundBuffer(source->real(), &real_copy);
        if (FAILED(result)) {
            *out = nullptr;
            return noted("DuplicateSoundBuffer", result, nullptr);
        }
        RecordedBuffer *record = new_buffer_record(recorder_);
        record->flags = source->record()->flags;
        record->bytes = source->record()->bytes;
        record->format = source->record()->format;
        record->duplicate = true;
        *out = new BufferWrapper(real_copy, record, recorder_);
        return noted("DuplicateSoundBuffer", result, record);
    }
    STDMETHOD(SetCooperativeLevel)(HWND window, DWORD level) override {
        record_->cooperative_window = window;
        record_->cooperative_level = level;
        return noted("SetCooperativeLevel", real_->SetCooperativeLevel(window, level), nullptr);
    }
    STDMETHOD(Compact)() override { return real_->Compact(); }
    STDMETHOD(GetSpeakerConfig)(LPDWORD c) override { return real_->GetSpeakerConfig(c); }
    STDMETHOD(SetSpeakerConfig)(DWORD c) override { return real_->SetSpeakerConfig(c); }
    STDMETHOD(Initialize)(LPCGUID g) override { return real_->Initialize(g); }

private:
    HRESULT noted(const char *call, HRESULT result, const RecordedBuffer *buffer) {
        recorder_->note({call, result, record_, buffer});
        return result;
    }

    IDirectSound *real_;
    RecordedDevice *record_;
    SoundRecorder *recorder_;
};

}  // namespace

IDirectSound *wrap_sound_device(IDirectSound *real, RecordedDevice *record, SoundRecorder *recorder) {
    return new DeviceWrapper(real, record, recorder);
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
