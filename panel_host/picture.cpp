#include "picture.h"

#include <algorithm>
#include <climits>

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

namespace {

// The part [first, end) of a run of `length` pixels from `start` that lies
// within 0 to `limit`; false when none does. In 64 bits, so that no start and
// length overflow.
bool clip_run(int start, int length, int limit, int &first, int &end) {
    const long long wide_first = std::max(0LL, -static_cast<long long>(start));
    const long long wide_end = std::min(static_cast<long long>(length), static_cast<long long>(limit) - start);
    if (wide_first >= wide_end)
        return false;
    first = static_cast<int>(wide_first);
    end = static_cast<int>(wide_end);
    return true;
}

}  // namespace

void draw_picture_box(Picture &picture, const Picture &source, int left, int top, int width, int height) {
    if (source.width <= 0 || source.height <= 0)
        return;
    int first_column = 0, end_column = 0, first_row = 0, end_row = 0;
    if (!clip_run(left, width, picture.width, first_column, end_column) ||
        !clip_run(top, height, picture.height, first_row, end_row))
        return;
    for (int row = first_row; row < end_row; ++row) {
        const int source_y = static_cast<int>(static_cast<long long>(row) * source.height / height);
        uint32_t *target_row = &picture.pixels[static_cast<size_t>(top + row) * picture.width];
        for (int column = first_column; column < end_column; ++column) {
            const int source_x = static_cast<int>(static_cast<long long>(column) * source.width / width);
            const uint32_t colour = source.at(source_x, source_y);
            if ((colour & PICTURE_OPAQUE) != 0)
                target_row[left + column] = colour;
        }
    }
}

void fill_box(Picture &picture, int left, int top, int width, int height, uint32_t colour) {
    int first_column = 0, end_column = 0, first_row = 0, end_row = 0;
    if (!clip_run(left, width, picture.width, first_column, end_column) ||
        !clip_run(top, height, picture.height, first_row, end_row))
        return;
    for (int row = first_row; row < end_row; ++row) {
        uint32_t *target_row = &picture.pixels[static_cast<size_t>(top + row) * picture.width];
        std::fill(target_row + (left + first_column), target_row + (left + end_column), colour);
    }
}

void draw_outline(Picture &picture, int left, int top, int width, int height, uint32_t colour) {
    if (width <= 0 || height <= 0)
        return;
    const int right = static_cast<int>(std::min(static_cast<long long>(left) + width - 1,
                                                static_cast<long long>(INT_MAX)));
    const int bottom = static_cast<int>(std::min(static_cast<long long>(top) + height - 1,
                                                 static_cast<long long>(INT_MAX)));
    fill_box(picture, left, top, width, 1, colour);
    fill_box(picture, left, bottom, width, 1, colour);
    fill_box(picture, left, top, 1, height, colour);
    fill_box(picture, right, top, 1, height, colour);
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
