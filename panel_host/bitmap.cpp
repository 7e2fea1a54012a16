#include "bitmap.h"

#include <cstring>

namespace panel_host {

bool load_bitmap_resource(HMODULE module, uint32_t id, Bitmap &bitmap, std::string &error) {
    char id_text[16];
    snprintf(id_text, sizeof id_text, "0x%X", static_cast<unsigned>(id));
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (found == nullptr) {
        error = std::string("no bitmap resource ") + id_text;
        return false;
    }
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const uint8_t *bytes = loaded ? static_cast<const uint8_t *>(LockResource(loaded)) : nullptr;
    BITMAPINFOHEADER info;
    if (bytes == nullptr || size < sizeof info) {
        error = std::string("bitmap ") + id_text + " cannot be read";
        return false;
    }
    memcpy(&info, bytes, sizeof info);
    if (info.biSize < sizeof info || info.biBitCount != 8 || info.biCompression != BI_RGB ||
        info.biWidth <= 0 || info.biHeight == 0) {
        error = std::string("bitmap ") + id_text + " is not an uncompressed 8-bit palette bitmap";
        return false;
    }
    const int width = info.biWidth;
    const bool bottom_up = info.biHeight > 0;
    const int height = bottom_up ? info.biHeight : -info.biHeight;
    const DWORD colours = info.biClrUsed ? info.biClrUsed : 256;
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t(3);
    const size_t palette_at = info.biSize;
    const size_t pixels_at = palette_at + colours * 4;
    if (colours > 256 || pixels_at + stride * height > size) {
        error = std::string("bitmap ") + id_text + " is shorter than its header says";
        return false;
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bits_per_pixel = 8;
    bitmap.palette.assign(256, 0);
    for (DWORD i = 0; i < colours; ++i) {
        const uint8_t *quad = bytes + palette_at + i * 4;  // blue, green, red, reserved
        bitmap.palette[i] = (uint32_t(quad[2]) << 16) | (uint32_t(quad[1]) << 8) | quad[0];
    }
    bitmap.pixels.resize(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const int source_row = bottom_up ? height - 1 - row : row;
        memcpy(&bitmap.pixels[static_cast<size_t>(row) * width],
               bytes + pixels_at + stride * source_row, width);
    }
    return true;
}

}  // namespace panel_host
