// The zoom of the bench's window: a fraction of the panel's pixel size, and
// the one whole-number scaling that drawing, window snapshots and clicks
// share, the nearest pixel as draw_picture_box takes it.
#ifndef BENCH_ZOOM_H
#define BENCH_ZOOM_H

#include <string>

#include "picture.h"

namespace bench {

// Screen pixels = panel pixels * numerator / denominator.
struct Zoom {
    long long numerator = 1;
    long long denominator = 1;
};

constexpr Zoom FULL_SIZE = {1, 1};
bool operator<(const Zoom &a, const Zoom &b);
bool operator==(const Zoom &a, const Zoom &b);

// PERCENT percent.
Zoom zoom_of_percent(int percent);
// The zoom in whole percent, rounded ("57").
int percent_of(const Zoom &zoom);

// The screen pixel of the layout's edge at `pixel`: round(pixel * zoom),
// halves up. Edges, not sizes, are zoomed, so windows side by side stay so.
int zoom_edge(const Zoom &zoom, long long pixel);

// The largest zoom up to 100% at which a layout of `width` x `height` pixels
// fits a view of `view_width` x `view_height`.
Zoom fit_zoom(int width, int height, int view_width, int view_height);

// The next step of 1.25 up or down from `zoom`, on the steps through 100%,
// kept between 25% and 400%.
Zoom zoom_in(const Zoom &zoom);
Zoom zoom_out(const Zoom &zoom);

// A run of `length` panel pixels shown as `shown` screen pixels: the panel
// pixel that screen pixel `offset` of the run shows, as draw_picture_box
// takes it (offset * length / shown).
int panel_pixel_shown(int offset, int length, int shown);
// The screen pixel of such a run that shows the panel pixel nearest to
// `pixel` (the later of two as near); a pixel outside the run is zoomed as an
// edge, outside too.
int screen_pixel_showing(int pixel, int length, int shown);

// `picture` drawn at `width` x `height` pixels, as the bench's window shows it.
panel_host::Picture zoom_picture(const panel_host::Picture &picture, int width, int height);

}  // namespace bench

#endif
