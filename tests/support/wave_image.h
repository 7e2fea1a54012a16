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

    // A chunk holding `payload`, and a pad byte when its size is odd.
    WaveImage &chunk(const char *chunk_id, const std::vector<uint8_t> &payload) {
        header(chunk_id, uint32_t(payload.size()));
        for (uint8_t byte : payload)
            bytes_.push_back(byte);
        if (payload.size() % 2 != 0)
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
        for (uint8_t byte : more)
            bytes_.push_back(byte);
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
    // Byte by byte: GCC 12 misreads range inserts here as overflows.
    void id(const char *four) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(uint8_t(four[i]));
    }
    void word(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(uint8_t(value >> (8 * i)));
    }

    std::vector<uint8_t> bytes_;
    size_t last_payload_ = 0;
    uint32_t riff_size_ = 0;
    bool has_riff_size_ = false;
};

// A format block: the 16 basic bytes, then whatever `tail` adds (an extra-size
// word and extra bytes, or a stored word a PCM reader must ignore).
inline std::vector<uint8_t> format_block(uint16_t tag, uint16_t channels, uint32_t rate,
                                         uint16_t bits, const std::vector<uint8_t> &tail = {}) {
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    const uint32_t average = rate * align;
    std::vector<uint8_t> block;
    auto put = [&block](uint32_t value, int width) {
        for (int i = 0; i < width; ++i)
            block.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    put(tag, 2);
    put(channels, 2);
    put(rate, 4);
    put(average, 4);
    put(align, 2);
    put(bits, 2);
    for (uint8_t byte : tail)
        block.push_back(byte);
    return block;
}

// `count` bytes counting up from `first`, so copies can be checked byte for byte.
inline std::vector<uint8_t> counting_bytes(size_t count, uint8_t first = 0) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(first + i * 7 + i / 251);
    return bytes;
}

// A mono PCM wave file holding `samples`.
inline std::vector<uint8_t> pcm_wave(uint32_t rate, uint16_t bits, const std::vector<uint8_t> &samples) {
    return WaveImage().chunk("fmt ", format_block(1, 1, rate, bits)).chunk("data", samples).image();
}

#endif
