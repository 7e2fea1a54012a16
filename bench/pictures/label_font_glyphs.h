// The glyphs of the bench's label font, drawn by hand: one 5 x 7 glyph for
// every printable ASCII character and one replacement for every other byte.
#ifndef BENCH_LABEL_FONT_GLYPHS_H
#define BENCH_LABEL_FONT_GLYPHS_H

namespace bench {

constexpr int LABEL_GLYPH_WIDTH = 5;   // pixels of a glyph across
constexpr int LABEL_GLYPH_HEIGHT = 7;  // pixels of a glyph down

// Whether pixel (column, row) of the glyph for `byte` is set; column 0 to
// LABEL_GLYPH_WIDTH - 1, row 0 to LABEL_GLYPH_HEIGHT - 1. Bytes outside 32 to
// 126 all have the replacement glyph, a small hollow box.
bool label_glyph_pixel(unsigned char byte, int column, int row);

}  // namespace bench

#endif
