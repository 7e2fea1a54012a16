#include "sound_mixer.h"

#include <cmath>

namespace bench {

namespace {

constexpr uint32_t FRAME_UNITS = TICKS_PER_SECOND * MIX_FRAMES_PER_TICK;  // a buffer frame in stretch units

// 10^(hundredths of a decibel / 2000) in 16.16; -10000 and below is silence.
int32_t attenuation_gain(long hundredths) {
    if (hundredths <= -10000)
        return 0;
    if (hundredths >= 0)
        return 65536;
    return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, hundredths / 2000.0)));
}

// One sample of `channel` of the frame at `at`, as a 16-bit value.
int32_t sample(const BYTE *at, bool eight_bits, unsigned channel) {
    if (eight_bits)
        return (int32_t(at[channel]) - 128) * 256;
    return int16_t(at[2 * channel] | (at[2 * channel + 1] << 8));
}

// first + (second - first) * fraction / FRAME_UNITS, the quotient rounded
// towards zero; the product's size fits 32 bits, so no 64-bit division is needed.
int32_t between(int32_t first, int32_t second, uint32_t fraction) {
    const int32_t difference = second - first;
    const uint32_t size = static_cast<uint32_t>(difference < 0 ? -difference : difference) * fraction;
    const int32_t step = static_cast<int32_t>(size / FRAME_UNITS);
    return first + (difference < 0 ? -step : step);
}

// Adds the tick's frames of `buffer` to `sum`. Output frame `out` plays the
// buffer at position start + out * step (in FRAME_UNITS of a frame), taken
// modulo the buffer's length when it loops; a one-shot ends at its length.
// The position is kept as a frame and a fraction, moved on by the step.
void mix_buffer(const ClockSoundBuffer &buffer, unsigned long tick, int32_t *sum) {
    BufferStretch stretch;
    const DWORD frames = buffer.frames();
    if (frames == 0 || !buffer.stretch(tick, MIX_FRAMES_PER_TICK, stretch))
        return;
    int32_t gains[2];
    channel_gains(buffer.volume(), buffer.pan(), gains[0], gains[1]);
    const WAVEFORMATEX &format = buffer.format();
    const bool stereo = format.nChannels == 2;
    const bool eight_bits = format.wBitsPerSample == 8;
    const BYTE *bytes = buffer.bytes().data();
    const uint64_t end = uint64_t(frames) * FRAME_UNITS;
    uint64_t start = stretch.start;
    if (stretch.looping)
        start %= end;
    else if (start >= end)
        return;
    uint64_t frame = start / FRAME_UNITS;  // below `frames`, so below 2^32
    uint32_t fraction = static_cast<uint32_t>(start % FRAME_UNITS);
    const uint64_t frame_step = stretch.step / FRAME_UNITS;
    const uint32_t fraction_step = static_cast<uint32_t>(stretch.step % FRAME_UNITS);
    for (unsigned out = 0; out < MIX_FRAMES_PER_TICK; ++out) {
        // Between this frame and the next one, linearly; a one-shot's last frame is held.
        DWORD next = static_cast<DWORD>(frame) + 1;
        if (next == frames)
            next = stretch.looping ? 0 : static_cast<DWORD>(frame);
        const BYTE *here = bytes + size_t(frame) * format.nBlockAlign;
        const BYTE *there = bytes + size_t(next) * format.nBlockAlign;
        for (unsigned side = 0; side < 2; ++side) {
            const unsigned channel = stereo ? side : 0;
            const int64_t value =
                between(sample(here, eight_bits, channel), sample(there, eight_bits, channel), fraction);
            sum[2 * out + side] += static_cast<int32_t>((value * gains[side]) >> 16);
        }
        fraction += fraction_step;
        frame += frame_step;
        if (fraction >= FRAME_UNITS) {
            fraction -= FRAME_UNITS;
            ++frame;
        }
        if (frame >= frames) {
            if (!stretch.looping)
                break;
            frame %= frames;
        }
    }
}

}  // namespace

void channel_gains(long volume, long pan, int32_t &left, int32_t &right) {
    left = attenuation_gain(volume - (pan > 0 ? pan : 0));
    right = attenuation_gain(volume - (pan < 0 ? -pan : 0));
}

void mix_tick(const std::vector<ClockSoundBuffer *> &buffers, unsigned long tick, std::vector<int16_t> &stereo) {
    int32_t sum[2 * MIX_FRAMES_PER_TICK] = {};
    for (const ClockSoundBuffer *buffer : buffers)
        mix_buffer(*buffer, tick, sum);
    stereo.resize(2 * MIX_FRAMES_PER_TICK);
    for (size_t i = 0; i < stereo.size(); ++i)
        stereo[i] = static_cast<int16_t>(sum[i] > 32767 ? 32767 : sum[i] < -32768 ? -32768 : sum[i]);
}

}  // namespace bench
