// Builds RIFF images byte by byte for the wave parser's tests and the fuzz
// corpus: chunks of any id and size, declared sizes that lie, odd sizes with
// their pad bytes. Needs no Win32.
#ifndef WAVE_IMAGE_H
#define WAVE_IMAGE_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

class WaveImage {
public:
    // Starts a form: the RIFF id, a riff size that image() fills in, the form type.
    explicit WaveImage(const char *riff_id = "RIFF", const char *form_type = "WAVE") {
        id(riff_id);
        word(0);
        id(form_type);
    }

    // A chunk of `size` payload bytes, each `fill`, and a pad byte when the size is odd.
    WaveImage &chunk(const char *chunk_id, uint32_t size, uint8_t fill = 0x80) {
        header(chunk_id, size);
        bytes_.insert(bytes_.end(), size, fill);
        if (size % 2 != 0)
            bytes_.push_back(0);
        return *this;
    }

    // A "fmt " chunk of `size` bytes: PCM, mono, 22050 per second, 8 bits, then zeros.
    WaveImage &format(uint32_t size = 16) {
        header("fmt ", size);
        const uint8_t block[16] = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0};
        for (uint32_t i = 0; i < size; ++i)
            bytes_.push_back(i < sizeof block ? block[i] : 0);
        if (size % 2 != 0)
            bytes_.push_back(0);
        return *this;
    }

    // A chunk header alone, declaring `size` bytes whether or not they follow.
    WaveImage &header(const char *chunk_id, uint32_t size) {
        id(chunk_id);
        word(size);
        last_payload_ = bytes_.size();
        return *this;
    }

    // Raw bytes appended as they are.
    WaveImage &raw(std::vector<uint8_t> more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }

    // The riff size to write instead of the image's own length less 8.
    WaveImage &riff_size(uint32_t size) {
        riff_size_ = size;
        has_riff_size_ = true;
        return *this;
    }

    // Offset of the payload of the last chunk or header added.
    size_t payload() const { return last_payload_; }

    std::vector<uint8_t> image() const {
        std::vector<uint8_t> result = bytes_;
        const uint32_t size = has_riff_size_ ? riff_size_ : uint32_t(result.size() - 8);
        for (int i = 0; i < 4; ++i)
            result[4 + i] = uint8_t(size >> (8 * i));
        return result;
    }

private:
    void id(const char *four) { bytes_.insert(bytes_.end(), four, four + 4); }
    void word(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(uint8_t(value >> (8 * i)));
    }

    std::vector<uint8_t> bytes_;
    size_t last_payload_ = 0;
    uint32_t riff_size_ = 0;
    bool has_riff_size_ = false;
};

#endif
