// The bench's own sound device, on the panel's clock instead of a sound card:
// each gauge file's DirectSoundCreate (through its sound recorder) gets a
// device whose buffers play in panel ticks, 18 a simulated second. Runs on
// any machine the same way, and lets scenarios fault a gauge's sound.
#ifndef BENCH_CLOCK_SOUND_DEVICE_H
#define BENCH_CLOCK_SOUND_DEVICE_H

#include <windows.h>

#include <mmsystem.h>
#include <dsound.h>

#include <map>
#include <memory>
#include <vector>

#include "sound_faults.h"

namespace bench {

class ClockSoundBuffer;

class SoundClock : public std::enable_shared_from_this<SoundClock> {
public:
    // The panel's tick, which the panel moves on; sound positions follow it.
    unsigned long tick = 0;

    // A new device for the gauge file `module`, as DirectSoundCreate makes one.
    HRESULT create_device(HMODULE module, LPCGUID device_id, IDirectSound **out, IUnknown *outer);

    // The faults asked of `module`'s devices and buffers.
    SoundFaults &faults(HMODULE module) { return faults_[module]; }
    // Every live buffer of `module` becomes lost; the number of them.
    int lose_buffers(HMODULE module);

    // The live buffers in the order they were made, for the mixer.
    const std::vector<ClockSoundBuffer *> &buffers() const { return buffers_; }
    bool holds(const IDirectSoundBuffer *buffer) const;
    void add(ClockSoundBuffer *buffer) { buffers_.push_back(buffer); }
    void remove(ClockSoundBuffer *buffer);

private:
    std::map<HMODULE, SoundFaults> faults_;
    std::vector<ClockSoundBuffer *> buffers_;
};

}  // namespace bench

#endif
