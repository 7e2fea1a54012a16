// The two memory routines a gauge file needs: it links no C runtime, and the
// compiler calls these for block copies and fills of its own as well.
#include <stddef.h>

extern "C" void *memcpy(void *destination, const void *source, size_t count) {
    unsigned char *to = static_cast<unsigned char *>(destination);
    const unsigned char *from = static_cast<const unsigned char *>(source);
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
