// A DirectSound buffer on the panel's clock: DirectSound's own checks and
// answers, its play position moved on by panel ticks instead of a sound card.
// A one-shot play sounds for the buffer's length at its frequency in panel
// time and then reports stopped, rewound; a looping play goes on until stopped.
#ifndef BENCH_CLOCK_SOUND_BUFFER_H
#define BENCH_CLOCK_SOUND_BUFFER_H

#include <windows.h>

#include <mmsystem.h>
#include <dsound.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace bench {

class SoundClock;
class SoundFaults;

// What one tick of a playing buffer contributes to the mix: the frames it
// plays, as positions in units of 1/(18 * frames_per_tick) of a frame.
struct BufferStretch {
    uint64_t start = 0;  // position of the tick's first output frame
    uint64_t step = 0;   // added for each further output frame
    bool looping = false;
};

class ClockSoundBuffer final : public IDirectSoundBuffer {
public:
    // Checks `description` as DirectSound does; the new buffer's one
    // reference in `out` on success.
    static HRESULT create(const std::shared_ptr<SoundClock> &clock, HMODULE owner,
                          LPCDSBUFFERDESC description, IDirectSoundBuffer **out);
    // A buffer sharing this one's bytes, with its own position and settings.
    ClockSoundBuffer *duplicate();

    // The buffer's memory is taken away: it stops, its bytes are silence, and
    // Lock and Play answer DSERR_BUFFERLOST until it is restored.
    void lose();
    HMODULE owner() const { return owner_; }

    // For the mixer: the stretch the buffer plays in the panel tick `tick`;
    // false when it plays nothing then.
    bool stretch(unsigned long tick, unsigned frames_per_tick, BufferStretch &stretch) const;
    const WAVEFORMATEX &format() const { return format_; }
    const std::vector<BYTE> &bytes() const { return *bytes_; }
    DWORD frames() const { return length_ / format_.nBlockAlign; }
    LONG volume() const { return volume_; }
    LONG pan() const { return pan_; }

    STDMETHOD(QueryInterface)(REFIID riid, void **out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetCaps)(LPDSBCAPS caps) override;
    STDMETHOD(GetCurrentPosition)(LPDWORD play, LPDWORD write) override;
    STDMETHOD(GetFormat)(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override;
    STDMETHOD(GetVolume)(LPLONG volume) override;
    STDMETHOD(GetPan)(LPLONG pan) override;
    STDMETHOD(GetFrequency)(LPDWORD frequency) override;
    STDMETHOD(GetStatus)(LPDWORD status) override;
    STDMETHOD(Initialize)(LPDIRECTSOUND device, LPCDSBUFFERDESC description) override;
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID *first, LPDWORD first_length, LPVOID *second,
                    LPDWORD second_length, DWORD flags) override;
    STDMETHOD(Play)(DWORD reserved1, DWORD priority, DWORD flags) override;
    STDMETHOD(SetCurrentPosition)(DWORD position) override;
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX format) override;
    STDMETHOD(SetVolume)(LONG volume) override;
    STDMETHOD(SetPan)(LONG pan) override;
    STDMETHOD(SetFrequency)(DWORD frequency) override;
    STDMETHOD(Stop)() override;
    STDMETHOD(Unlock)(LPVOID first, DWORD first_length, LPVOID second, DWORD second_length) override;
    STDMETHOD(Restore)() override;

private:
    ClockSoundBuffer(const std::shared_ptr<SoundClock> &clock, HMODULE owner);
    ~ClockSoundBuffer();
    // The fault the scenario asked for this call, if any.
    bool faulted(const char *operation, HRESULT &failure);
    // Brings the play state up to the clock's tick.
    void settle();
    // Position and state at `tick` without changing anything; false once a
    // one-shot play has ended by then.
    bool playing_at(unsigned long tick, uint64_t &position) const;
    uint64_t end_position() const;

    std::shared_ptr<SoundClock> clock_;
    SoundFaults &faults_;
    HMODULE owner_;
    ULONG references_ = 1;
    DWORD flags_ = 0;
    DWORD length_ = 0;
    WAVEFORMATEX format_ = {};
    std::shared_ptr<std::vector<BYTE>> bytes_;  // shared with duplicates
    LONG volume_ = DSBVOLUME_MAX;
    LONG pan_ = DSBPAN_CENTER;
    DWORD frequency_ = 0;
    bool lost_ = false;
    bool playing_ = false;
    bool looping_ = false;
    // The play position in 1/18 of a frame at tick `since_`: one tick at
    // frequency f moves it by f.
    uint64_t position_ = 0;
    unsigned long since_ = 0;
};

}  // namespace bench

#endif
