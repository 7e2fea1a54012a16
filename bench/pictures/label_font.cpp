#include "label_font.h"

namespace bench {

int label_text_width(const std::string &text) {
    return static_cast<int>(text.size()) * LABEL_CELL_WIDTH;
}

void draw_label_text(panel_host::Picture &picture, int x, int y, const std::string &text, uint32_t colour) {
    for (size_t index = 0; index < text.size(); ++index) {
        const long long cell_left = x + static_cast<long long>(index) * LABEL_CELL_WIDTH;
        if (cell_left >= picture.width)
            break;
        for (int row = 0; row < LABEL_GLYPH_HEIGHT; ++row) {
            const long long target_y = static_cast<long long>(y) + row;
            if (target_y < 0 || target_y >= picture.height)
                continue;
            for (int column = 0; column < LABEL_GLYPH_WIDTH; ++column) {
                const long long target_x = cell_left + column;
                if (target_x < 0 || target_x >= picture.width ||
                    !label_glyph_pixel(static_cast<unsigned char>(text[index]), column, row))
                    continue;
                picture.pixels[static_cast<size_t>(target_y) * picture.width + static_cast<size_t>(target_x)] =
                    colour;
            }
        }
    }
}

}  // namespace bench
