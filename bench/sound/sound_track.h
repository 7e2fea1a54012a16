// The panel's sound track: a 16-bit stereo PCM WAVE file that grows by one
// mixed panel tick at a time; its sizes are written when it is closed.
#ifndef BENCH_SOUND_TRACK_H
#define BENCH_SOUND_TRACK_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sound_mixer.h"

namespace bench {

// The track's format: MIX_RATE frames a second, a left and a right 16-bit sample each.
constexpr unsigned TRACK_CHANNELS = 2;
constexpr unsigned TRACK_BYTES_PER_SAMPLE = 2;
constexpr unsigned TRACK_BYTES_PER_TICK = MIX_FRAMES_PER_TICK * TRACK_CHANNELS * TRACK_BYTES_PER_SAMPLE;
// The RIFF size, 36 + the data bytes, is a 32-bit unsigned field.
constexpr uint64_t MAX_TRACK_DATA_BYTES = 0xFFFFFFFFull - 36;
constexpr long long MAX_TRACK_TICKS = MAX_TRACK_DATA_BYTES / TRACK_BYTES_PER_TICK;

// Empty when a track of `ticks` panel ticks fits in a WAVE file; otherwise
// why not, with the limit in ticks and simulated hours.
std::string track_length_mistake(long long ticks);

// The 44-byte header of a track of `data_bytes` sample bytes; false when a
// WAVE file's sizes cannot name that many.
bool wave_header(uint64_t data_bytes, std::vector<uint8_t> &header);

class SoundTrack {
public:
    ~SoundTrack();
    // Creates the file; false with the reason when it cannot be written.
    bool open(const std::string &path, std::string &error);
    // Appends left-right sample pairs.
    void append(const std::vector<int16_t> &stereo);
    // Appends what `buffers` play in the panel tick `tick` (mix_tick). A
    // silent tick is not written but passed over when sound follows, so that
    // a long quiet run writes next to nothing: the file reads zeros there.
    void append_tick(const std::vector<ClockSoundBuffer *> &buffers, unsigned long tick);
    // Writes the sizes into the header and closes the file; refuses to write
    // sizes past what the header can hold.
    bool close(std::string &error);
    bool is_open() const { return file_ != nullptr; }

private:
    FILE *file_ = nullptr;
    std::string path_;
    uint64_t data_bytes_ = 0;
    std::vector<int16_t> mixed_;  // kept from tick to tick
    uint64_t silence_ = 0;        // bytes of silence passed over, not yet reached
    bool passed_ = true;          // false once passing over silence failed

    void pass_silence();
};

}  // namespace bench

#endif
