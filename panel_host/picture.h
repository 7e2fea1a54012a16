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

// Draws `source` stretched to the box of `width` x `height` pixels with its
// top-left at (left, top), nearest neighbour in whole numbers: box pixel
// (column, row) takes source pixel (column * source.width / width,
// row * source.height / height), the same on every machine. Clipped to the
// picture; source pixels with alpha 0 leave the picture as it is. An empty
// box or an empty source draws nothing.
void draw_picture_box(Picture &picture, const Picture &source, int left, int top, int width, int height);

// Sets every pixel of the box to `colour`, clipped to the picture.
void fill_box(Picture &picture, int left, int top, int width, int height, uint32_t colour);

// Sets the box's own edge pixels, a frame 1 pixel wide, to `colour`,
// clipped to the picture.
void draw_outline(Picture &picture, int left, int top, int width, int height, uint32_t colour);

}  // namespace panel_host

#endif
