// Label text in the bench's own pixel font, so that labels come out the same
// pixels on every Wine: each byte a 5 x 7 glyph in a 6 x 8 cell, the cell's
// last column and last row left as spacing.
#ifndef BENCH_LABEL_FONT_H
#define BENCH_LABEL_FONT_H

#include <cstdint>
#include <string>

#include "label_font_glyphs.h"
#include "picture.h"

namespace bench {

constexpr int LABEL_CELL_WIDTH = LABEL_GLYPH_WIDTH + 1;    // pixels a byte of text takes across
constexpr int LABEL_CELL_HEIGHT = LABEL_GLYPH_HEIGHT + 1;  // pixels a line of text takes down

// The pixels `text` takes across: LABEL_CELL_WIDTH for each byte, its last
// cell's spacing column included.
int label_text_width(const std::string &text);

// Draws `text` in `colour` on one line, the top-left of its first cell at
// (x, y), clipped to the picture. Only the glyphs' set pixels are drawn.
void draw_label_text(panel_host::Picture &picture, int x, int y, const std::string &text, uint32_t colour);

}  // namespace bench

#endif
