// The wave resource lookup.
#include "wave_resource.h"

int wave_resource_find(HMODULE module, const char *name, const WAVEFORMATEX **format,
                       const uint8_t **data, uint32_t *size) {
    if (format != nullptr)
        *format = nullptr;
    if (data != nullptr)
        *data = nullptr;
    if (size != nullptr)
        *size = 0;

    HRSRC found = FindResourceA(module, name, WAVE_RESOURCE_TYPE);
    if (found == nullptr)
        return 0;
    HGLOBAL loaded = LoadResource(module, found);
    const void *image = loaded != nullptr ? LockResource(loaded) : nullptr;
    // The parse's own result says nothing more than the results do.
    if (image != nullptr)
        wave_parse_bounded(image, SizeofResource(module, found), format, data, size);
    return 1;
}
