// Palette bitmaps as the host loads them from a module's resources.
#ifndef PANEL_HOST_BITMAP_H
#define PANEL_HOST_BITMAP_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace panel_host {

struct Bitmap {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint8_t> pixels;    // palette indices, top row first
};

// Reads bitmap resource `id` of `module`: 8 bits per pixel with a palette.
// Returns false with a reason when it is missing or of another kind.
bool load_bitmap_resource(HMODULE module, uint32_t id, Bitmap &bitmap, std::string &error);

}  // namespace panel_host

#endif
