#include "sound_track.h"

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

}  // namespace

std::string track_length_mistake(long long ticks) {
    if (ticks <= MAX_TRACK_TICKS)
        return "";
    char hours[32];
    snprintf(hours, sizeof hours, "%.2f", double(MAX_TRACK_TICKS) / (TICKS_PER_SECOND * 3600));
    return "runs " + std::to_string(ticks) + " ticks; a WAVE sound track holds at most " +
           std::to_string(MAX_TRACK_TICKS) + " ticks (" + hours + " simulated hours) at " +
           std::to_string(TRACK_BYTES_PER_TICK) + " bytes a tick";
}

bool wave_header(uint64_t data_bytes, std::vector<uint8_t> &header) {
    header.clear();
    if (data_bytes > MAX_TRACK_DATA_BYTES)
        return false;
    for (char c : std::string("RIFF"))
        header.push_back(c);
    put32(header, static_cast<uint32_t>(36 + data_bytes));
    for (char c : std::string("WAVEfmt "))
        header.push_back(c);
    put32(header, 16);
    put16(header, 1);  // PCM
    put16(header, TRACK_CHANNELS);
    put32(header, MIX_RATE);
    put32(header, MIX_RATE * TRACK_CHANNELS * TRACK_BYTES_PER_SAMPLE);
    put16(header, TRACK_CHANNELS * TRACK_BYTES_PER_SAMPLE);
    put16(header, 8 * TRACK_BYTES_PER_SAMPLE);
    for (char c : std::string("data"))
        header.push_back(c);
    put32(header, static_cast<uint32_t>(data_bytes));
    return true;
}

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
    setvbuf(file_, nullptr, _IOFBF, 1 << 16);  // some ticks a write
    std::vector<uint8_t> header;
    wave_header(0, header);
    fwrite(header.data(), 1, header.size(), file_);
    return true;
}

// The samples are written as they lie in memory: in the file's order, little-endian.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the bench runs on x86");

void SoundTrack::append(const std::vector<int16_t> &stereo) {
    if (file_ == nullptr)
        return;
    pass_silence();
    fwrite(stereo.data(), sizeof stereo[0], stereo.size(), file_);
    data_bytes_ += stereo.size() * sizeof stereo[0];
}

void SoundTrack::append_tick(const std::vector<ClockSoundBuffer *> &buffers, unsigned long tick) {
    if (file_ == nullptr)
        return;
    if (mix_tick(buffers, tick, mixed_)) {
        append(mixed_);
        return;
    }
    silence_ += mixed_.size() * sizeof mixed_[0];
    data_bytes_ += mixed_.size() * sizeof mixed_[0];
}

void SoundTrack::pass_silence() {
    if (silence_ == 0)
        return;
    passed_ = _fseeki64(file_, static_cast<long long>(silence_), SEEK_CUR) == 0 && passed_;
    silence_ = 0;
}

bool SoundTrack::close(std::string &error) {
    if (file_ == nullptr)
        return true;
    std::vector<uint8_t> header;
    if (!wave_header(data_bytes_, header)) {
        fclose(file_);
        file_ = nullptr;
        error = path_ + ": " + std::to_string(data_bytes_) +
                " bytes of sound, more than a WAVE file's sizes can name: its header is left with sizes of 0";
        return false;
    }
    if (silence_ > 0) {  // the file ends with the silence's last byte
        silence_ -= 1;
        pass_silence();
        fputc(0, file_);
    }
    const bool written = passed_ && fseek(file_, 0, SEEK_SET) == 0 &&
                         fwrite(header.data(), 1, header.size(), file_) == header.size() && !ferror(file_);
    const bool closed = fclose(file_) == 0;
    file_ = nullptr;
    if (written && closed)
        return true;
    error = path_ + ": the sound track could not be written completely";
    return false;
}

}  // namespace bench
