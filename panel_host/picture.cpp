#include "picture.h"

#include <algorithm>

namespace panel_host {

void Picture::resize(int w, int h, uint32_t fill) {
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * h, fill);
}

void draw_bitmap(Picture &picture, const Bitmap &bitmap, int x, int y, bool black_transparent) {
    for (int row = 0; row < bitmap.height; ++row) {
        const int target_y = y + row;
        if (target_y < 0 || target_y >= picture.height)
            continue;
        for (int column = 0; column < bitmap.width; ++column) {
            const int target_x = x + column;
            if (target_x < 0 || target_x >= picture.width)
                continue;
            const uint32_t colour =
                bitmap.palette[bitmap.pixels[static_cast<size_t>(row) * bitmap.width + column]];
            if (colour == 0 && black_transparent)
                continue;
            picture.pixels[static_cast<size_t>(target_y) * picture.width + target_x] =
                PICTURE_OPAQUE | colour;
        }
    }
}

void draw_picture(Picture &picture, const Picture &source, int x, int y, double scale) {
    const int width = static_cast<int>(source.width * scale + 0.5);
    const int height = static_cast<int>(source.height * scale + 0.5);
    for (int row = 0; row < height; ++row) {
        const int target_y = y + row;
        if (target_y < 0 || target_y >= picture.height)
            continue;
        const int source_y = std::min(source.height - 1, static_cast<int>(row / scale));
        for (int column = 0; column < width; ++column) {
            const int target_x = x + column;
            if (target_x < 0 || target_x >= picture.width)
                continue;
            const int source_x = std::min(source.width - 1, static_cast<int>(column / scale));
            const uint32_t colour = source.at(source_x, source_y);
            if ((colour & PICTURE_OPAQUE) == 0)
                continue;
            picture.pixels[static_cast<size_t>(target_y) * picture.width + target_x] = colour;
        }
    }
}

BITMAPINFO picture_format(int width, int height) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

}  // namespace panel_host
