// The host's scale of a panel window: one design unit of its size_mm is
// (background width / size_mm width) pixels. Kept as a fraction, so that every
// edge lands on the same pixel on every machine.
#ifndef BENCH_PANEL_SCALE_H
#define BENCH_PANEL_SCALE_H

#include <string>

namespace bench {

struct Scale {
    long long pixels = 1;  // this many pixels
    long long units = 1;   // for this many design units
};

// The pixel of the edge at (numerator / denominator) units: round(edge *
// scale), halves rounded up. `denominator` is above 0.
int to_pixels(const Scale &scale, long long numerator, long long denominator = 1);
// The design units of `pixel`, as a number for messages ("20", "20.5").
double to_units(const Scale &scale, int pixel);
// "2 pixels a unit", "0.625 pixels a unit"
std::string describe(const Scale &scale);

// A box of pixels: its left and top edges, its width and height.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool holds(int x, int y) const { return x >= left && y >= top && x < right() && y < bottom(); }
    bool overlaps(const Box &other) const {
        return left < other.right() && other.left < right() && top < other.bottom() && other.top < bottom();
    }
};

// "76 x 98 pixels at (40, 80)"
std::string describe(const Box &box);

}  // namespace bench

#endif
