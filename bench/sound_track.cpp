#include "sound_track.h"

#include "sound_mixer.h"

namespace bench {

namespace {

void put16(std::vector<uint8_t> &out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<uint8_t> &out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The 44-byte header of a 16-bit stereo PCM WAVE file of `data_bytes` sample bytes.
std::vector<uint8_t> wave_header(uint32_t data_bytes) {
    const unsigned channels = 2, bytes_per_sample = 2;
    std::vector<uint8_t> header;
    for (char c : std::string("RIFF"))
        header.push_back(c);
    put32(header, 36 + data_bytes);
    for (char c : std::string("WAVEfmt "))
        header.push_back(c);
    put32(header, 16);
    put16(header, 1);  // PCM
    put16(header, channels);
    put32(header, MIX_RATE);
    put32(header, MIX_RATE * channels * bytes_per_sample);
    put16(header, channels * bytes_per_sample);
    put16(header, 8 * bytes_per_sample);
    for (char c : std::string("data"))
        header.push_back(c);
    put32(header, data_bytes);
    return header;
}

}  // namespace

SoundTrack::~SoundTrack() {
    std::string ignored;
    close(ignored);
}

bool SoundTrack::open(const std::string &path, std::string &error) {
    path_ = path;
    file_ = fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        error = path + ": cannot write the sound track";
        return false;
    }
    const std::vector<uint8_t> header = wave_header(0);
    fwrite(header.data(), 1, header.size(), file_);
    return true;
}

void SoundTrack::append(const std::vector<int16_t> &stereo) {
    if (file_ == nullptr)
        return;
    std::vector<uint8_t> bytes;
    bytes.reserve(stereo.size() * 2);
    for (int16_t sample : stereo)
        put16(bytes, static_cast<uint16_t>(sample));
    fwrite(bytes.data(), 1, bytes.size(), file_);
    data_bytes_ += static_cast<uint32_t>(bytes.size());
}

bool SoundTrack::close(std::string &error) {
    if (file_ == nullptr)
        return true;
    const std::vector<uint8_t> header = wave_header(data_bytes_);
    const bool written = fseek(file_, 0, SEEK_SET) == 0 &&
                         fwrite(header.data(), 1, header.size(), file_) == header.size() && !ferror(file_);
    const bool closed = fclose(file_) == 0;
    file_ = nullptr;
    if (written && closed)
        return true;
    error = path_ + ": the sound track could not be written completely";
    return false;
}

}  // namespace bench
