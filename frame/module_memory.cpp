// The two memory routines a gauge file needs: it links no C runtime, and the
// compiler calls these for block copies and fills of its own as well. Blocks
// whose ends share an alignment are copied in 32-bit words: the ignition
// copies whole sound files with memcpy.
#include <stddef.h>
#include <stdint.h>

static const size_t WORD_BYTES = sizeof(uint32_t);

static bool word_aligned(const void *address) {
    return reinterpret_cast<uintptr_t>(address) % WORD_BYTES == 0;
}

extern "C" void *memcpy(void *destination, const void *source, size_t count) {
    unsigned char *to = static_cast<unsigned char *>(destination);
    const unsigned char *from = static_cast<const unsigned char *>(source);
    if ((reinterpret_cast<uintptr_t>(to) ^ reinterpret_cast<uintptr_t>(from)) % WORD_BYTES == 0) {
        while (count != 0 && !word_aligned(to)) {
            *to++ = *from++;
            --count;
        }
        uint32_t *word_to = reinterpret_cast<uint32_t *>(to);
        const uint32_t *word_from = reinterpret_cast<const uint32_t *>(from);
        for (; count >= WORD_BYTES; count -= WORD_BYTES)
            *word_to++ = *word_from++;
        to = reinterpret_cast<unsigned char *>(word_to);
        from = reinterpret_cast<const unsigned char *>(word_from);
    }
    while (count != 0) {
        *to++ = *from++;
        --count;
    }
    return destination;
}

extern "C" void *memset(void *destination, int value, size_t count) {
    unsigned char *to = static_cast<unsigned char *>(destination);
    while (count != 0) {
        *to++ = static_cast<unsigned char>(value);
        --count;
    }
    return destination;
}
