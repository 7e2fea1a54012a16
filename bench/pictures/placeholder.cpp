#include "placeholder.h"

#include "label_font.h"

namespace bench {

namespace {

// A box on the picture, in pixels.
struct Box {
    int left, top, width, height;
};

// `label` with the top-left of its first cell at (x, y) over a strip filling
// `strip`, both cut at `clip`: drawn into a picture of the clip's size, then
// laid over the target.
void draw_label_on_strip(panel_host::Picture &picture, const Box &strip, int x, int y, const std::string &label,
                         const Box &clip) {
    if (label.empty() || clip.width <= 0 || clip.height <= 0)
        return;
    panel_host::Picture cut;
    cut.resize(clip.width, clip.height, 0);
    panel_host::fill_box(cut, strip.left - clip.left, strip.top - clip.top, strip.width, strip.height,
                         PLACEHOLDER_STRIP_COLOUR);
    draw_label_text(cut, x - clip.left, y - clip.top, label, PLACEHOLDER_TEXT_COLOUR);
    panel_host::draw_picture_box(picture, cut, clip.left, clip.top, clip.width, clip.height);
}

void draw_box(panel_host::Picture &picture, int left, int top, int width, int height, const std::string &label) {
    panel_host::draw_outline(picture, left, top, width, height, PLACEHOLDER_FRAME_COLOUR);
    panel_host::draw_outline(picture, left + 1, top + 1, width - 2, height - 2, PLACEHOLDER_SHADOW_COLOUR);
    const Box inside = {left + PLACEHOLDER_LABEL_INSET, top + PLACEHOLDER_LABEL_INSET,
                        width - 2 * PLACEHOLDER_LABEL_INSET, height - 2 * PLACEHOLDER_LABEL_INSET};
    // The last cell's spacing column and row make the strip's right and bottom margins.
    const Box strip = {inside.left, inside.top, label_text_width(label) + 1, LABEL_CELL_HEIGHT + 1};
    draw_label_on_strip(picture, strip, inside.left + 1, inside.top + 1, label, inside);
}

void draw_marker(panel_host::Picture &picture, int left, int top, const std::string &label) {
    constexpr int size = PLACEHOLDER_MARKER_SIZE;
    panel_host::fill_box(picture, left, top, size, size, PLACEHOLDER_STRIP_COLOUR);
    panel_host::draw_outline(picture, left, top, size, size, PLACEHOLDER_FRAME_COLOUR);
    for (int step = 1; step < size - 1; ++step) {
        panel_host::fill_box(picture, left + step, top + step, 1, 1, PLACEHOLDER_FRAME_COLOUR);
        panel_host::fill_box(picture, left + size - 1 - step, top + step, 1, 1, PLACEHOLDER_FRAME_COLOUR);
    }
    int width = 0, height = 0;
    placeholder_marker_extent(label, &width, &height);
    const Box strip = {left + size, top, width - size, height};
    draw_label_on_strip(picture, strip, strip.left + PLACEHOLDER_MARKER_LABEL_MARGIN,
                        top + (size - LABEL_GLYPH_HEIGHT) / 2, label, strip);
}

}  // namespace

void draw_placeholder(panel_host::Picture &picture, int left, int top, int width, int height,
                      const std::string &label) {
    if (width > 0 && height > 0)
        draw_box(picture, left, top, width, height, label);
    else
        draw_marker(picture, left, top, label);
}

void placeholder_marker_extent(const std::string &label, int *width, int *height) {
    // The last cell's spacing column is part of the right margin.
    const int strip_width = label.empty() ? 0
                                          : 2 * PLACEHOLDER_MARKER_LABEL_MARGIN + label_text_width(label) -
                                                (LABEL_CELL_WIDTH - LABEL_GLYPH_WIDTH);
    *width = PLACEHOLDER_MARKER_SIZE + strip_width;
    *height = PLACEHOLDER_MARKER_SIZE;
}

}  // namespace bench
