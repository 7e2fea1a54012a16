// The panel's sound track: a 16-bit stereo PCM WAVE file that grows by one
// mixed panel tick at a time; its sizes are written when it is closed.
#ifndef BENCH_SOUND_TRACK_H
#define BENCH_SOUND_TRACK_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

class SoundTrack {
public:
    ~SoundTrack();
    // Creates the file; false with the reason when it cannot be written.
    bool open(const std::string &path, std::string &error);
    // Appends left-right sample pairs.
    void append(const std::vector<int16_t> &stereo);
    // Writes the sizes into the header and closes the file.
    bool close(std::string &error);
    bool is_open() const { return file_ != nullptr; }

private:
    FILE *file_ = nullptr;
    std::string path_;
    uint32_t data_bytes_ = 0;
};

}  // namespace bench

#endif
