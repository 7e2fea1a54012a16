// Builds RIFF WAVE images byte by byte, for tests that feed odd files to readers.
#ifndef RIFF_IMAGE_H
#define RIFF_IMAGE_H

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class RiffImage {
public:
    // "RIFF", a size patched by bytes(), and the form type.
    explicit RiffImage(const char *form = "WAVE", const char *riff = "RIFF") {
        append(riff, 4);
        u32(0);
        append(form, 4);
    }
    // A chunk with its payload, a pad byte after an odd payload.
    RiffImage &chunk(const char *id, const std::vector<uint8_t> &payload) {
        return chunk_claiming(id, static_cast<uint32_t>(payload.size()), payload);
    }
    // A chunk whose size field says `claimed` whatever the payload holds.
    RiffImage &chunk_claiming(const char *id, uint32_t claimed, const std::vector<uint8_t> &payload) {
        append(id, 4);
        u32(claimed);
        for (uint8_t byte : payload)
            bytes_.push_back(byte);
        if (payload.size() % 2)
            bytes_.push_back(0);
        return *this;
    }
    // The image, with the riff size counting every byte after it.
    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> image = bytes_;
        uint32_t riff_size = static_cast<uint32_t>(image.size() - 8);
        memcpy(&image[4], &riff_size, 4);
        return image;
    }

private:
    void append(const char *text, size_t length) {
        for (size_t i = 0; i < length; ++i)
            bytes_.push_back(static_cast<uint8_t>(text[i]));
    }
    void u32(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    std::vector<uint8_t> bytes_;
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
    return RiffImage().chunk("fmt ", format_block(1, 1, rate, bits)).chunk("data", samples).bytes();
}

#endif
