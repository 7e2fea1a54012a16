// A gauge's picture as DrawElements composes it: its shown elements drawn
// over its background at their positions, with their palettes.
#ifndef PANEL_HOST_PICTURE_H
#define PANEL_HOST_PICTURE_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "bitmap.h"

namespace panel_host {

// 0xAARRGGBB pixels, top row first; alpha 0 where nothing was drawn.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    void resize(int w, int h, uint32_t fill);
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

#define PICTURE_OPAQUE 0xFF000000u

// The GDI format of a picture's pixels: 32 bits, top row first.
BITMAPINFO picture_format(int width, int height);

// Draws `bitmap` with its top-left at (x, y), clipped to the picture. With
// `black_transparent`, pure black pixels leave the picture as it is, as the
// host draws the bitmaps laid over a gauge's background.
void draw_bitmap(Picture &picture, const Bitmap &bitmap, int x, int y, bool black_transparent);

// Draws `source` scaled by `scale` with its top-left at (x, y); pixels
// with alpha 0 leave the picture as it is.
void draw_picture(Picture &picture, const Picture &source, int x, int y, double scale);

}  // namespace panel_host

#endif
