#include "clock_sound_device.h"

#include <algorithm>

#include "clock_sound_buffer.h"

namespace bench {

namespace {

const GUID iid_unknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID iid_direct_sound = {0x279AFA83, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

class ClockSoundDevice final : public IDirectSound {
public:
    ClockSoundDevice(const std::shared_ptr<SoundClock> &clock, HMODULE owner)
        : clock_(clock), owner_(owner), faults_(clock->faults(owner)) {}

    STDMETHOD(QueryInterface)(REFIID riid, void **out) override {
        if (out == nullptr)
            return E_INVALIDARG;
        *out = nullptr;
        if (!IsEqualGUID(riid, iid_direct_sound) && !IsEqualGUID(riid, iid_unknown))
            return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IDirectSound *>(this);
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC description, LPLPDIRECTSOUNDBUFFER out,
                                 IUnknown *outer) override {
        HRESULT failure;
        if (faults_.take("CreateSoundBuffer", failure)) {
            if (out != nullptr)
                *out = nullptr;
            return failure;
        }
        if (outer != nullptr)
            return DSERR_NOAGGREGATION;
        return ClockSoundBuffer::create(clock_, owner_, description, out);
    }
    STDMETHOD(GetCaps)(LPDSCAPS caps) override {
        if (caps == nullptr || caps->dwSize < sizeof *caps)
            return DSERR_INVALIDPARAM;
        const DWORD size = caps->dwSize;
        *caps = DSCAPS();
        caps->dwSize = size;
        caps->dwFlags = DSCAPS_SECONDARYMONO | DSCAPS_SECONDARYSTEREO | DSCAPS_SECONDARY8BIT |
                        DSCAPS_SECONDARY16BIT | DSCAPS_CONTINUOUSRATE | DSCAPS_EMULDRIVER;
        caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
        caps->dwMaxSecondarySampleRate = 100000;
        caps->dwPrimaryBuffers = 1;
        return DS_OK;
    }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER original, LPLPDIRECTSOUNDBUFFER out) override {
        if (out == nullptr)
            return DSERR_INVALIDPARAM;
        *out = nullptr;
        HRESULT failure;
        if (faults_.take("DuplicateSoundBuffer", failure))
            return failure;
        if (original == nullptr || !clock_->holds(original))
            return DSERR_INVALIDPARAM;
        *out = static_cast<ClockSoundBuffer *>(original)->duplicate();
        return DS_OK;
    }
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD level) override {
        HRESULT failure;
        if (faults_.take("SetCooperativeLevel", failure))
            return failure;
        if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
            return DSERR_INVALIDPARAM;
        level_ = level;
        return DS_OK;
    }
    STDMETHOD(Compact)() override { return level_ < DSSCL_PRIORITY ? DSERR_PRIOLEVELNEEDED : DS_OK; }
    STDMETHOD(GetSpeakerConfig)(LPDWORD config) override {
        if (config == nullptr)
            return DSERR_INVALIDPARAM;
        *config = DSSPEAKER_COMBINED(DSSPEAKER_STEREO, DSSPEAKER_GEOMETRY_WIDE);
        return DS_OK;
    }
    STDMETHOD(SetSpeakerConfig)(DWORD) override { return DS_OK; }
    STDMETHOD(Initialize)(LPCGUID) override { return DSERR_ALREADYINITIALIZED; }

private:
    std::shared_ptr<SoundClock> clock_;
    HMODULE owner_;
    SoundFaults &faults_;
    ULONG references_ = 1;
    DWORD level_ = DSSCL_NORMAL;
};

}  // namespace

HRESULT SoundClock::create_device(HMODULE module, LPCGUID device_id, IDirectSound **out, IUnknown *outer) {
    if (out == nullptr)
        return DSERR_INVALIDPARAM;
    *out = nullptr;
    if (outer != nullptr)
        return DSERR_NOAGGREGATION;
    // Only the default device is there: no identifier, or the null one.
    static const GUID null_id = {};
    if (device_id != nullptr && !IsEqualGUID(*device_id, null_id))
        return DSERR_NODRIVER;
    *out = new ClockSoundDevice(shared_from_this(), module);
    return DS_OK;
}

int SoundClock::lose_buffers(HMODULE module) {
    int lost = 0;
    for (ClockSoundBuffer *buffer : buffers_)
        if (buffer->owner() == module) {
            buffer->lose();
            ++lost;
        }
    return lost;
}

bool SoundClock::holds(const IDirectSoundBuffer *buffer) const {
    return std::find(buffers_.begin(), buffers_.end(), buffer) != buffers_.end();
}

void SoundClock::remove(ClockSoundBuffer *buffer) {
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

}  // namespace bench
