#include "sound_mixer.h"

#include <algorithm>
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
template <bool EIGHT_BITS>
int32_t sample(const BYTE *at, unsigned channel) {
    if (EIGHT_BITS)
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

// Where a buffer plays in one tick: a frame and a fraction of FRAME_UNITS,
// moved on by a step of frames and fraction for each output frame.
struct Playing {
    const BYTE *bytes;
    uint32_t frames;
    bool looping;
    uint32_t frame;
    uint32_t fraction;
    uint32_t frame_step;
    uint32_t fraction_step;
    int32_t gains[2];  // 16.16, left and right
};

// Adds the tick's output frames of one buffer of the given format to `sum`:
// between each frame and the next one linearly, a one-shot's last frame held.
// A sample (16 bits) times a gain (at most 1.0) fits 32 bits.
template <bool EIGHT_BITS, bool STEREO>
void mix_frames(Playing playing, int32_t *sum) {
    const uint32_t frame_bytes = (EIGHT_BITS ? 1 : 2) * (STEREO ? 2 : 1);
    for (unsigned out = 0; out < MIX_FRAMES_PER_TICK; ++out) {
        uint32_t next = playing.frame + 1;
        if (next == playing.frames)
            next = playing.looping ? 0 : playing.frame;
        const BYTE *here = playing.bytes + size_t(playing.frame) * frame_bytes;
        const BYTE *there = playing.bytes + size_t(next) * frame_bytes;
        const int32_t left =
            between(sample<EIGHT_BITS>(here, 0), sample<EIGHT_BITS>(there, 0), playing.fraction);
        const int32_t right =
            STEREO ? between(sample<EIGHT_BITS>(here, 1), sample<EIGHT_BITS>(there, 1), playing.fraction) : left;
        sum[2 * out] += (left * playing.gains[0]) >> 16;
        sum[2 * out + 1] += (right * playing.gains[1]) >> 16;
        playing.fraction += playing.fraction_step;
        playing.frame += playing.frame_step;
        if (playing.fraction >= FRAME_UNITS) {
            playing.fraction -= FRAME_UNITS;
            ++playing.frame;
        }
        if (playing.frame >= playing.frames) {
            if (!playing.looping)
                break;
            playing.frame %= playing.frames;
        }
    }
}

// Where `buffer` plays in the tick; false when it plays nothing. Output
// frame `out` plays the buffer at position start + out * step (in
// FRAME_UNITS of a frame), taken modulo the buffer's length when it loops; a
// one-shot ends at its length.
bool playing_in(const ClockSoundBuffer &buffer, unsigned long tick, Playing &playing) {
    BufferStretch stretch;
    const DWORD frames = buffer.frames();
    if (frames == 0 || !buffer.stretch(tick, MIX_FRAMES_PER_TICK, stretch))
        return false;
    const uint64_t end = uint64_t(frames) * FRAME_UNITS;
    uint64_t start = stretch.start;
    if (stretch.looping)
        start %= end;
    else if (start >= end)
        return false;
    playing = {buffer.bytes().data(),
               frames,
               stretch.looping,
               static_cast<uint32_t>(start / FRAME_UNITS),
               static_cast<uint32_t>(start % FRAME_UNITS),
               static_cast<uint32_t>(stretch.step / FRAME_UNITS),
               static_cast<uint32_t>(stretch.step % FRAME_UNITS),
               {0, 0}};
    channel_gains(buffer.volume(), buffer.pan(), playing.gains[0], playing.gains[1]);
    return true;
}

void mix_buffer(const WAVEFORMATEX &format, const Playing &playing, int32_t *sum) {
    const bool eight_bits = format.wBitsPerSample == 8;
    if (format.nChannels == 2)
        eight_bits ? mix_frames<true, true>(playing, sum) : mix_frames<false, true>(playing, sum);
    else
        eight_bits ? mix_frames<true, false>(playing, sum) : mix_frames<false, false>(playing, sum);
}

}  // namespace

void channel_gains(long volume, long pan, int32_t &left, int32_t &right) {
    left = attenuation_gain(volume - (pan > 0 ? pan : 0));
    right = attenuation_gain(volume - (pan < 0 ? -pan : 0));
}

bool mix_tick(const std::vector<ClockSoundBuffer *> &buffers, unsigned long tick, std::vector<int16_t> &stereo) {
    int32_t sum[2 * MIX_FRAMES_PER_TICK];
    bool sounding = false;
    for (const ClockSoundBuffer *buffer : buffers) {
        Playing playing;
        if (!playing_in(*buffer, tick, playing))
            continue;
        if (!sounding)
            std::fill(sum, sum + 2 * MIX_FRAMES_PER_TICK, 0);
        sounding = true;
        mix_buffer(buffer->format(), playing, sum);
    }
    stereo.resize(2 * MIX_FRAMES_PER_TICK);
    if (!sounding) {
        std::fill(stereo.begin(), stereo.end(), 0);
        return false;
    }
    for (size_t i = 0; i < stereo.size(); ++i)
        stereo[i] = static_cast<int16_t>(sum[i] > 32767 ? 32767 : sum[i] < -32768 ? -32768 : sum[i]);
    return true;
}

}  // namespace bench
