// Mixes what the buffers on the panel's clock play in one panel tick into
// 16-bit stereo frames: each buffer read in its own format (8-bit unsigned or
// 16-bit signed, mono or stereo), at its frequency from its play position,
// with its volume and pan.
#ifndef BENCH_SOUND_MIXER_H
#define BENCH_SOUND_MIXER_H

#include <cstdint>
#include <vector>

#include "clock_sound_buffer.h"
#include "panel_clock.h"

namespace bench {

constexpr unsigned MIX_RATE = 44100;  // frames a second of the mix
constexpr unsigned MIX_FRAMES_PER_TICK = MIX_RATE / TICKS_PER_SECOND;
static_assert(MIX_FRAMES_PER_TICK * TICKS_PER_SECOND == MIX_RATE, "a tick is a whole number of frames");

// The tick `tick` of every buffer in `buffers`: MIX_FRAMES_PER_TICK frames,
// left and right sample of each, in `stereo`. False when no buffer played in
// it: the frames are silence then.
bool mix_tick(const std::vector<ClockSoundBuffer *> &buffers, unsigned long tick, std::vector<int16_t> &stereo);

// The 16.16 fixed-point gains of the left and right channel for a volume and
// pan in hundredths of a decibel, as DirectSound applies them.
void channel_gains(long volume, long pan, int32_t &left, int32_t &right);

}  // namespace bench

#endif
