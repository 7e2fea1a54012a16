#include "sound_mixer.h"

#include <cmath>

namespace bench {

namespace {

// One sample of `channel` in frame `frame`, as a 16-bit value.
int32_t sample(const ClockSoundBuffer &buffer, DWORD frame, unsigned channel) {
    const WAVEFORMATEX &format = buffer.format();
    const BYTE *at = buffer.bytes().data() + size_t(frame) * format.nBlockAlign;
    if (format.wBitsPerSample == 8)
        return (int32_t(at[channel]) - 128) * 256;
    return int16_t(at[2 * channel] | (at[2 * channel + 1] << 8));
}

// 10^(hundredths of a decibel / 2000) in 16.16; -10000 and below is silence.
int32_t attenuation_gain(long hundredths) {
    if (hundredths <= -10000)
        return 0;
    if (hundredths >= 0)
        return 65536;
    return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, hundredths / 2000.0)));
}

void mix_buffer(const ClockSoundBuffer &buffer, unsigned long tick, std::vector<int32_t> &sum) {
    BufferStretch stretch;
    const DWORD frames = buffer.frames();
    if (frames == 0 || !buffer.stretch(tick, MIX_FRAMES_PER_TICK, stretch))
        return;
    int32_t gains[2];
    channel_gains(buffer.volume(), buffer.pan(), gains[0], gains[1]);
    const bool stereo = buffer.format().nChannels == 2;
    const uint64_t frame_units = 18ull * MIX_FRAMES_PER_TICK;
    const uint64_t end = uint64_t(frames) * frame_units;
    for (unsigned out = 0; out < MIX_FRAMES_PER_TICK; ++out) {
        uint64_t at = stretch.start + uint64_t(out) * stretch.step;
        if (stretch.looping)
            at %= end;
        else if (at >= end)
            break;
        const DWORD frame = static_cast<DWORD>(at / frame_units);
        const int64_t fraction = static_cast<int64_t>(at % frame_units);
        // Between this frame and the next one, linearly; a one-shot's last frame is held.
        DWORD next = frame + 1;
        if (next == frames)
            next = stretch.looping ? 0 : frame;
        for (unsigned side = 0; side < 2; ++side) {
            const unsigned channel = stereo ? side : 0;
            const int64_t first = sample(buffer, frame, channel);
            const int64_t second = sample(buffer, next, channel);
            const int64_t value = first + (second - first) * fraction / int64_t(frame_units);
            sum[2 * out + side] += static_cast<int32_t>((value * gains[side]) >> 16);
        }
    }
}

}  // namespace

void channel_gains(long volume, long pan, int32_t &left, int32_t &right) {
    left = attenuation_gain(volume - (pan > 0 ? pan : 0));
    right = attenuation_gain(volume - (pan < 0 ? -pan : 0));
}

void mix_tick(const std::vector<ClockSoundBuffer *> &buffers, unsigned long tick, std::vector<int16_t> &stereo) {
    std::vector<int32_t> sum(2 * MIX_FRAMES_PER_TICK, 0);
    for (const ClockSoundBuffer *buffer : buffers)
        mix_buffer(*buffer, tick, sum);
    stereo.resize(sum.size());
    for (size_t i = 0; i < sum.size(); ++i)
        stereo[i] = static_cast<int16_t>(sum[i] > 32767 ? 32767 : sum[i] < -32768 ? -32768 : sum[i]);
}

}  // namespace bench
