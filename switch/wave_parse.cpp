// The chunk walk over a RIFF WAVE image in memory.
#include "wave_parse.h"

static uint32_t read_word(const uint8_t *at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 |
           uint32_t(at[3]) << 24;
}

int wave_parse(const void *image, const tWAVEFORMATEX **format, const uint8_t **data,
               uint32_t *size) {
    return wave_parse_bounded(image, WAVE_UNBOUNDED, format, data, size);
}

int wave_parse_bounded(const void *image, uint64_t length, const tWAVEFORMATEX **format,
                       const uint8_t **data, uint32_t *size) {
    if (format != nullptr)
        *format = nullptr;
    if (data != nullptr)
        *data = nullptr;
    if (size != nullptr)
        *size = 0;

    const uint8_t *bytes = static_cast<const uint8_t *>(image);
    if (length < 12 || read_word(bytes) != WAVE_ID_RIFF || read_word(bytes + 8) != WAVE_ID_WAVE)
        return 0;

    // Positions are offsets from the image in 64 bits, so that no declared
    // size can carry one past the end of the address space and back.
    const uint64_t end = 8 + uint64_t(read_word(bytes + 4));
    uint64_t position = 12;
    // Compared only at each chunk's start: a header that begins below the end is read whole.
    while (position < end) {
        if (position + 8 > length)
            return 0;
        const uint32_t id = read_word(bytes + position);
        const uint32_t chunk_size = read_word(bytes + position + 4);
        const uint64_t payload = position + 8;
        if (payload + chunk_size > length)
            return 0;

        if (id == WAVE_ID_FMT && format != nullptr && *format == nullptr) {
            if (chunk_size < WAVE_FMT_MIN_SIZE)
                return 0;
            *format = reinterpret_cast<const tWAVEFORMATEX *>(bytes + payload);
            if ((data == nullptr || *data != nullptr) && (size == nullptr || *size != 0))
                return 1;
        } else if (id == WAVE_ID_DATA &&
                   ((data != nullptr && *data == nullptr) || (size != nullptr && *size == 0))) {
            // A size of 0 leaves the size empty, so a later "data" chunk may replace this one.
            if (data != nullptr)
                *data = bytes + payload;
            if (size != nullptr)
                *size = chunk_size;
            if (format == nullptr || *format != nullptr)
                return 1;
        }
        // Every chunk is followed by a pad byte when its size is odd.
        position = payload + uint32_t((chunk_size + 1u) & ~1u);
    }
    return 0;
}
