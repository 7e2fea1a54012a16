// What the bench draws where a panel file places a gauge it cannot run: the
// gauge's box framed and labelled, or, for a gauge of no known size, a fixed
// marker with the label beside it. Yellow over a dark frame shows on any
// background; the label sits on a dark strip.
#ifndef BENCH_PLACEHOLDER_H
#define BENCH_PLACEHOLDER_H

#include <cstdint>
#include <string>

#include "picture.h"

namespace bench {

constexpr uint32_t PLACEHOLDER_FRAME_COLOUR = 0xFFFFD800;   // outer frame, the marker's cross
constexpr uint32_t PLACEHOLDER_SHADOW_COLOUR = 0xFF000000;  // the frame just inside it
constexpr uint32_t PLACEHOLDER_STRIP_COLOUR = 0xFF202020;   // under the label, the marker's inside
constexpr uint32_t PLACEHOLDER_TEXT_COLOUR = 0xFFFFFFFF;    // the label

constexpr int PLACEHOLDER_MARKER_SIZE = 12;  // the marker's side, in pixels
// In a box the label's strip starts this far inside the box's edges, within
// both frames, and reaches 1 pixel beyond the text's glyphs on each side.
constexpr int PLACEHOLDER_LABEL_INSET = 2;
// Beside a marker the label's strip is as high as the marker and reaches this
// far beyond the text's glyphs on each side.
constexpr int PLACEHOLDER_MARKER_LABEL_MARGIN = 2;

// Draws the placeholder for a gauge at (left, top). With a width and height
// above 0: the box's outline, a dark frame inside it, and `label` on its
// strip in the box's top-left corner, cut at the inner frame. Otherwise the
// marker, a PLACEHOLDER_MARKER_SIZE square with a cross, at (left, top) and
// `label` on a strip to its right. Clipped to the picture.
void draw_placeholder(panel_host::Picture &picture, int left, int top, int width, int height,
                      const std::string &label);

// The width and height of the pixels a marker with `label` covers, from its
// top-left corner.
void placeholder_marker_extent(const std::string &label, int *width, int *height);

}  // namespace bench

#endif
