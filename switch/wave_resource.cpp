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

// Whether the four bytes at `at` spell `code`.
static int wave_resource_names(const uint8_t *at, const char *code) {
    for (int index = 0; index < 4; ++index)
        if (at[index] != uint8_t(code[index]))
            return 0;
    return 1;
}

int wave_resource_is_riff_wave(HMODULE module, const char *name) {
    HRSRC found = FindResourceA(module, name, WAVE_RESOURCE_TYPE);
    if (found == nullptr || SizeofResource(module, found) < 12)
        return 0;
    HGLOBAL loaded = LoadResource(module, found);
    const uint8_t *image =
        loaded != nullptr ? static_cast<const uint8_t *>(LockResource(loaded)) : nullptr;
    return image != nullptr && wave_resource_names(image, "RIFF") &&
           wave_resource_names(image + 8, "WAVE");
}
