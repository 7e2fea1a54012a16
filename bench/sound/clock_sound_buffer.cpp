#include "clock_sound_buffer.h"

#include <cstring>

#include "clock_sound_3d.h"
#include "clock_sound_device.h"

namespace bench {

namespace {

const GUID iid_unknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID iid_buffer = {0x279AFA85, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const GUID iid_buffer_3d = {0x279AFA86, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

// Positions count 1/18 of a frame: a tick at frequency f moves on by f.
const uint64_t UNITS_PER_FRAME = 18;

// The formats the mix plays: 8-bit unsigned or 16-bit signed PCM, mono or stereo.
HRESULT check_format(const WAVEFORMATEX *format) {
    if (format == nullptr)
        return DSERR_INVALIDPARAM;
    if (format->wFormatTag != WAVE_FORMAT_PCM)
        return DSERR_BADFORMAT;
    if (format->nChannels == 0 || format->nSamplesPerSec == 0 || format->nAvgBytesPerSec == 0 ||
        format->wBitsPerSample < 8 || format->wBitsPerSample % 8 != 0 ||
        format->nBlockAlign != format->nChannels * format->wBitsPerSample / 8)
        return DSERR_INVALIDPARAM;
    if ((format->wBitsPerSample != 8 && format->wBitsPerSample != 16) || format->nChannels > 2 ||
        format->nSamplesPerSec < DSBFREQUENCY_MIN || format->nSamplesPerSec > 100000)
        return DSERR_BADFORMAT;
    return DS_OK;
}

}  // namespace

ClockSoundBuffer::ClockSoundBuffer(const std::shared_ptr<SoundClock> &clock, HMODULE owner)
    : clock_(clock), faults_(clock->faults(owner)), owner_(owner), since_(clock->tick) {
    clock_->add(this);
}

ClockSoundBuffer::~ClockSoundBuffer() { clock_->remove(this); }

HRESULT ClockSoundBuffer::create(const std::shared_ptr<SoundClock> &clock, HMODULE owner,
                                 LPCDSBUFFERDESC description, IDirectSoundBuffer **out) {
    if (description == nullptr || out == nullptr)
        return DSERR_INVALIDPARAM;
    *out = nullptr;
    if (description->dwSize != sizeof(DSBUFFERDESC) && description->dwSize != sizeof(DSBUFFERDESC1))
        return DSERR_INVALIDPARAM;
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER)
        return DSERR_UNSUPPORTED;  // the panel's mix is the bench's, not the gauges'
    HRESULT format = check_format(description->lpwfxFormat);
    if (format != DS_OK)
        return format;
    if (description->dwBufferBytes < DSBSIZE_MIN || description->dwBufferBytes > DSBSIZE_MAX)
        return DSERR_INVALIDPARAM;

    ClockSoundBuffer *buffer = new ClockSoundBuffer(clock, owner);
    buffer->flags_ = description->dwFlags;
    buffer->length_ = description->dwBufferBytes;
    buffer->format_ = *description->lpwfxFormat;
    buffer->format_.cbSize = 0;
    buffer->frequency_ = buffer->format_.nSamplesPerSec;
    buffer->bytes_ = std::make_shared<std::vector<BYTE>>(
        buffer->length_, buffer->format_.wBitsPerSample == 8 ? 0x80 : 0x00);
    *out = buffer;
    return DS_OK;
}

ClockSoundBuffer *ClockSoundBuffer::duplicate() {
    ClockSoundBuffer *copy = new ClockSoundBuffer(clock_, owner_);
    copy->flags_ = flags_;
    copy->length_ = length_;
    copy->format_ = format_;
    copy->bytes_ = bytes_;
    copy->volume_ = volume_;
    copy->pan_ = pan_;
    copy->frequency_ = frequency_;
    return copy;
}

void ClockSoundBuffer::lose() {
    settle();
    playing_ = false;
    lost_ = true;
    std::fill(bytes_->begin(), bytes_->end(), format_.wBitsPerSample == 8 ? 0x80 : 0x00);
}

bool ClockSoundBuffer::faulted(const char *operation, HRESULT &failure) {
    return faults_.take(operation, failure);
}

uint64_t ClockSoundBuffer::end_position() const { return uint64_t(frames()) * UNITS_PER_FRAME; }

bool ClockSoundBuffer::playing_at(unsigned long tick, uint64_t &position) const {
    position = position_;
    if (!playing_)
        return false;
    const uint64_t end = end_position();
    const uint64_t reached = position_ + uint64_t(tick - since_) * frequency_;
    if (looping_) {
        position = end == 0 ? 0 : reached % end;
        return end != 0;
    }
    if (reached >= end)
        return false;
    position = reached;
    return true;
}

void ClockSoundBuffer::settle() {
    if (playing_ && !playing_at(clock_->tick, position_)) {
        playing_ = false;  // a one-shot play ended: stopped and rewound
        position_ = 0;
    }
    since_ = clock_->tick;
}

bool ClockSoundBuffer::stretch(unsigned long tick, unsigned frames_per_tick, BufferStretch &stretch) const {
    uint64_t position = 0;
    if (!playing_at(tick, position))
        return false;
    stretch.start = position * frames_per_tick;
    stretch.step = frequency_;
    stretch.looping = looping_;
    return true;
}

STDMETHODIMP ClockSoundBuffer::QueryInterface(REFIID riid, void **out) {
    HRESULT failure;
    if (out == nullptr)
        return E_INVALIDARG;
    *out = nullptr;
    if (faulted("QueryInterface", failure))
        return failure;
    if (IsEqualGUID(riid, iid_buffer) || IsEqualGUID(riid, iid_unknown)) {
        AddRef();
        *out = static_cast<IDirectSoundBuffer *>(this);
        return S_OK;
    }
    if (IsEqualGUID(riid, iid_buffer_3d) && (flags_ & DSBCAPS_CTRL3D)) {
        *out = create_clock_sound_3d(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClockSoundBuffer::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) ClockSoundBuffer::Release() {
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP ClockSoundBuffer::GetCaps(LPDSBCAPS caps) {
    if (caps == nullptr || caps->dwSize < sizeof *caps)
        return DSERR_INVALIDPARAM;
    caps->dwFlags = flags_ | DSBCAPS_LOCSOFTWARE;
    caps->dwBufferBytes = length_;
    caps->dwUnlockTransferRate = 0;
    caps->dwPlayCpuOverhead = 0;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::GetCurrentPosition(LPDWORD play, LPDWORD write) {
    settle();
    const DWORD at = static_cast<DWORD>(position_ / UNITS_PER_FRAME) * format_.nBlockAlign;
    if (play != nullptr)
        *play = at;
    if (write != nullptr)
        *write = at;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) {
    if (format == nullptr) {
        if (written == nullptr)
            return DSERR_INVALIDPARAM;
        *written = sizeof format_;
        return DS_OK;
    }
    const DWORD copied = size < sizeof format_ ? size : sizeof format_;
    memcpy(format, &format_, copied);
    if (written != nullptr)
        *written = copied;
    return copied == sizeof format_ ? DS_OK : DSERR_INVALIDPARAM;
}

STDMETHODIMP ClockSoundBuffer::GetVolume(LPLONG volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (volume == nullptr)
        return DSERR_INVALIDPARAM;
    *volume = volume_;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::GetPan(LPLONG pan) {
    if (!(flags_ & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    if (pan == nullptr)
        return DSERR_INVALIDPARAM;
    *pan = pan_;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::GetFrequency(LPDWORD frequency) {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    if (frequency == nullptr)
        return DSERR_INVALIDPARAM;
    *frequency = frequency_;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::GetStatus(LPDWORD status) {
    HRESULT failure;
    if (faulted("GetStatus", failure))
        return failure;
    if (status == nullptr)
        return DSERR_INVALIDPARAM;
    settle();
    *status = 0;
    if (playing_)
        *status |= DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
    if (lost_)
        *status |= DSBSTATUS_BUFFERLOST;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) { return DSERR_ALREADYINITIALIZED; }

STDMETHODIMP ClockSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID *first, LPDWORD first_length,
                                    LPVOID *second, LPDWORD second_length, DWORD flags) {
    HRESULT failure;
    if (faulted("Lock", failure))
        return failure;
    if (first == nullptr || first_length == nullptr)
        return DSERR_INVALIDPARAM;
    if (lost_)
        return DSERR_BUFFERLOST;
    if (flags & DSBLOCK_FROMWRITECURSOR)
        GetCurrentPosition(nullptr, &offset);
    if (flags & DSBLOCK_ENTIREBUFFER)
        bytes = length_;
    if (offset >= length_ || bytes > length_)
        return DSERR_INVALIDPARAM;
    BYTE *data = bytes_->data();
    *first = data + offset;
    if (bytes > length_ - offset) {
        // The lock wraps: its rest is the start of the buffer.
        *first_length = length_ - offset;
        if (second != nullptr)
            *second = data;
        if (second_length != nullptr)
            *second_length = bytes - *first_length;
    } else {
        *first_length = bytes;
        if (second != nullptr)
            *second = nullptr;
        if (second_length != nullptr)
            *second_length = 0;
    }
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::Unlock(LPVOID first, DWORD first_length, LPVOID second, DWORD second_length) {
    HRESULT failure;
    if (faulted("Unlock", failure))
        return failure;
    const BYTE *begin = bytes_->data();
    const BYTE *end = begin + length_;
    const BYTE *part = static_cast<const BYTE *>(first);
    if (part < begin || part > end || first_length > DWORD(end - part))
        return DSERR_INVALIDPARAM;  // not a part this buffer's Lock handed out
    if (second_length != 0 && (second != begin || second_length > length_))
        return DSERR_INVALIDPARAM;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::Play(DWORD, DWORD, DWORD flags) {
    HRESULT failure;
    if (faulted("Play", failure))
        return failure;
    if (lost_)
        return DSERR_BUFFERLOST;
    settle();
    playing_ = true;
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::SetCurrentPosition(DWORD position) {
    HRESULT failure;
    if (faulted("SetCurrentPosition", failure))
        return failure;
    if (position >= length_)
        return DSERR_INVALIDPARAM;
    settle();
    position_ = uint64_t(position / format_.nBlockAlign) * UNITS_PER_FRAME;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::SetFormat(LPCWAVEFORMATEX) { return DSERR_INVALIDCALL; }

STDMETHODIMP ClockSoundBuffer::SetVolume(LONG volume) {
    HRESULT failure;
    if (faulted("SetVolume", failure))
        return failure;
    if (!(flags_ & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    volume_ = volume;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::SetPan(LONG pan) {
    HRESULT failure;
    if (faulted("SetPan", failure))
        return failure;
    if (!(flags_ & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
        return DSERR_INVALIDPARAM;
    pan_ = pan;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::SetFrequency(DWORD frequency) {
    HRESULT failure;
    if (faulted("SetFrequency", failure))
        return failure;
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL)
        frequency = format_.nSamplesPerSec;
    if (frequency < DSBFREQUENCY_MIN || frequency > 100000)
        return DSERR_INVALIDPARAM;
    settle();  // the ticks so far count at the old frequency
    frequency_ = frequency;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::Stop() {
    HRESULT failure;
    if (faulted("Stop", failure))
        return failure;
    settle();
    playing_ = false;
    return DS_OK;
}

STDMETHODIMP ClockSoundBuffer::Restore() {
    HRESULT failure;
    if (faulted("Restore", failure))
        return failure;
    lost_ = false;
    return DS_OK;
}

}  // namespace bench
