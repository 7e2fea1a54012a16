// The bench's drawing pieces: pictures stretched to a box, filled and framed
// boxes, the label font, and the placeholders of gauges it cannot run.
#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "label_font.h"
#include "picture.h"
#include "placeholder.h"

namespace {

using panel_host::Picture;

// bench/limits.h hides <limits.h> here, so the int limits come from <limits>.
constexpr int LARGEST_INT = std::numeric_limits<int>::max();
constexpr int SMALLEST_INT = std::numeric_limits<int>::min();

constexpr uint32_t BACKGROUND = 0xFF123456;

Picture filled(int width, int height, uint32_t colour = BACKGROUND) {
    Picture picture;
    picture.resize(width, height, colour);
    return picture;
}

// A source whose every pixel names its own column and row.
Picture numbered(int width, int height) {
    Picture picture = filled(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels[static_cast<size_t>(y) * width + x] = PICTURE_OPAQUE | (y << 12) | x;
    return picture;
}

int source_column(uint32_t pixel) { return pixel & 0xFFF; }
int source_row(uint32_t pixel) { return (pixel >> 12) & 0xFFF; }

// The source columns along row `y` of `picture` from `left`, and the source
// rows down column `x` from `top`, of a numbered source drawn there.
std::vector<int> columns_taken(const Picture &picture, int left, int y, int count) {
    std::vector<int> columns;
    for (int x = left; x < left + count; ++x)
        columns.push_back(source_column(picture.at(x, y)));
    return columns;
}

std::vector<int> rows_taken(const Picture &picture, int x, int top, int count) {
    std::vector<int> rows;
    for (int y = top; y < top + count; ++y)
        rows.push_back(source_row(picture.at(x, y)));
    return rows;
}

// Whether `clipped`, drawn with its origin moved by (left, top), holds what
// `full` holds at the same place and BACKGROUND where `full` does not reach.
void expect_cut_from(const Picture &full, const Picture &clipped, int left, int top) {
    for (int y = 0; y < clipped.height; ++y)
        for (int x = 0; x < clipped.width; ++x) {
            const int fx = x - left, fy = y - top;
            const bool inside = fx >= 0 && fx < full.width && fy >= 0 && fy < full.height;
            ASSERT_EQ(clipped.at(x, y), inside ? full.at(fx, fy) : BACKGROUND)
                << "at (" << x << ", " << y << ") with the origin at (" << left << ", " << top << ")";
        }
}

struct Extent {
    int left = LARGEST_INT, top = LARGEST_INT, right = SMALLEST_INT, bottom = SMALLEST_INT;
};

// The smallest box holding every pixel that is not BACKGROUND.
Extent drawn_extent(const Picture &picture) {
    Extent extent;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.at(x, y) != BACKGROUND) {
                extent.left = std::min(extent.left, x);
                extent.top = std::min(extent.top, y);
                extent.right = std::max(extent.right, x);
                extent.bottom = std::max(extent.bottom, y);
            }
    return extent;
}

TEST(PictureBox, EnlargesTwiceAndThreeHalvesAtExactPixels) {
    Picture twice = filled(10, 8);
    panel_host::draw_picture_box(twice, numbered(3, 2), 1, 2, 6, 4);
    EXPECT_EQ(columns_taken(twice, 1, 2, 6), (std::vector<int>{0, 0, 1, 1, 2, 2}));
    EXPECT_EQ(rows_taken(twice, 1, 2, 4), (std::vector<int>{0, 0, 1, 1}));
    const Extent extent = drawn_extent(twice);
    EXPECT_EQ(extent.left, 1);
    EXPECT_EQ(extent.top, 2);
    EXPECT_EQ(extent.right, 6);
    EXPECT_EQ(extent.bottom, 5);

    Picture three_halves = filled(6, 3);
    panel_host::draw_picture_box(three_halves, numbered(4, 2), 0, 0, 6, 3);
    EXPECT_EQ(columns_taken(three_halves, 0, 0, 6), (std::vector<int>{0, 0, 1, 2, 2, 3}));
    EXPECT_EQ(rows_taken(three_halves, 5, 0, 3), (std::vector<int>{0, 0, 1}));
}

TEST(PictureBox, ReducesSixtyColumnsToThirtyEight) {
    Picture picture = filled(38, 1);
    panel_host::draw_picture_box(picture, numbered(60, 1), 0, 0, 38, 1);
    EXPECT_EQ(columns_taken(picture, 0, 0, 38),
              (std::vector<int>{0,  1,  3,  4,  6,  7,  9,  11, 12, 14, 15, 17, 18, 20, 22, 23, 25, 26, 28,
                                30, 31, 33, 34, 36, 37, 39, 41, 42, 44, 45, 47, 48, 50, 52, 53, 55, 56, 58}));
}

TEST(PictureBox, ScalesAcrossAndDownApart) {
    Picture picture = filled(8, 3);
    panel_host::draw_picture_box(picture, numbered(4, 6), 0, 0, 8, 3);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(columns_taken(picture, 0, y, 8), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3})) << "row " << y;
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(rows_taken(picture, x, 0, 3), (std::vector<int>{0, 2, 4})) << "column " << x;
}

TEST(PictureBox, ClipsAtEveryEdgeAsTheWholeBoxWouldDraw) {
    const Picture source = numbered(5, 4);
    Picture whole = filled(11, 9);
    panel_host::draw_picture_box(whole, source, 0, 0, 11, 9);
    for (int top = -10; top <= 7; ++top)
        for (int left = -12; left <= 8; ++left) {
            Picture clipped = filled(7, 6);
            panel_host::draw_picture_box(clipped, source, left, top, 11, 9);
            expect_cut_from(whole, clipped, left, top);
            if (HasFatalFailure())
                return;
        }
}

TEST(PictureBox, FarOffBoxesPickTheirSourcePixelsWithoutOverflow) {
    Picture two = filled(2, 1);
    two.pixels = {0xFF0000AA, 0xFF0000BB};
    Picture picture = filled(3, 1);
    // Box column LARGEST_INT / 2 lands on the picture's first pixel: source column 0, then 1.
    panel_host::draw_picture_box(picture, two, -(LARGEST_INT / 2), 0, LARGEST_INT, 1);
    EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0xFF0000AA, 0xFF0000BB, 0xFF0000BB}));

    Picture untouched = filled(3, 3);
    panel_host::draw_picture_box(untouched, two, SMALLEST_INT, SMALLEST_INT, 10, 10);
    panel_host::draw_picture_box(untouched, two, LARGEST_INT, 0, LARGEST_INT, 3);
    panel_host::fill_box(untouched, SMALLEST_INT, 0, LARGEST_INT, 3, 0xFFFFFFFF);
    panel_host::draw_outline(untouched, LARGEST_INT, LARGEST_INT, LARGEST_INT, LARGEST_INT, 0xFFFFFFFF);
    EXPECT_EQ(untouched.pixels, filled(3, 3).pixels);
}

TEST(PictureBox, SourcePixelsOfAlphaZeroLeaveThePicture) {
    Picture source = filled(3, 1);
    source.pixels = {0x00FF00FF, 0x80112233, 0x00000000};
    Picture picture = filled(6, 1);
    panel_host::draw_picture_box(picture, source, 0, 0, 6, 1);
    EXPECT_EQ(picture.pixels,
              (std::vector<uint32_t>{BACKGROUND, BACKGROUND, 0x80112233, 0x80112233, BACKGROUND, BACKGROUND}));
}

TEST(PictureBox, EmptyBoxesAndSourcesDrawNothing) {
    const Picture source = numbered(4, 4);
    Picture picture = filled(5, 5);
    for (const auto &size : std::vector<std::pair<int, int>>{{0, 4}, {4, 0}, {-3, 4}, {4, -1}, {0, 0}}) {
        panel_host::draw_picture_box(picture, source, 0, 0, size.first, size.second);
        panel_host::fill_box(picture, 0, 0, size.first, size.second, 0xFFFFFFFF);
        panel_host::draw_outline(picture, 0, 0, size.first, size.second, 0xFFFFFFFF);
    }
    panel_host::draw_picture_box(picture, Picture(), 0, 0, 5, 5);
    EXPECT_EQ(picture.pixels, filled(5, 5).pixels);
}

TEST(Boxes, OutlineSetsTheBoxsEdgePixelsOnly) {
    Picture picture = filled(8, 8);
    panel_host::draw_outline(picture, 1, 2, 5, 4, 0xFFFFFFFF);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x <= 5 && y >= 2 && y <= 5;
            const bool edge = inside && (x == 1 || x == 5 || y == 2 || y == 5);
            EXPECT_EQ(picture.at(x, y), edge ? 0xFFFFFFFF : BACKGROUND) << "at (" << x << ", " << y << ")";
        }
    Picture dot = filled(3, 3);
    panel_host::draw_outline(dot, 1, 1, 1, 1, 0xFFFFFFFF);
    EXPECT_EQ(dot.at(1, 1), 0xFFFFFFFF);
    EXPECT_EQ(drawn_extent(dot).right, 1);
    EXPECT_EQ(drawn_extent(dot).bottom, 1);
}

TEST(Boxes, FillAndOutlineClipAsTheWholeBoxWouldDraw) {
    Picture whole_fill = filled(6, 5), whole_outline = filled(6, 5);
    panel_host::fill_box(whole_fill, 0, 0, 6, 5, 0xFFFFFFFF);
    panel_host::draw_outline(whole_outline, 0, 0, 6, 5, 0xFFFFFFFF);
    for (int top = -6; top <= 5; ++top)
        for (int left = -7; left <= 5; ++left) {
            Picture fill = filled(4, 4), outline = filled(4, 4);
            panel_host::fill_box(fill, left, top, 6, 5, 0xFFFFFFFF);
            panel_host::draw_outline(outline, left, top, 6, 5, 0xFFFFFFFF);
            expect_cut_from(whole_fill, fill, left, top);
            expect_cut_from(whole_outline, outline, left, top);
            if (HasFatalFailure())
                return;
        }
}

// The pixels one byte draws in a cell of its own.
std::vector<uint32_t> cell_of(unsigned char byte) {
    Picture cell = filled(bench::LABEL_CELL_WIDTH, bench::LABEL_CELL_HEIGHT);
    bench::draw_label_text(cell, 0, 0, std::string(1, static_cast<char>(byte)), 0xFFFFFFFF);
    return cell.pixels;
}

TEST(LabelFont, EveryPrintableGlyphDiffersFromEveryOtherAndFromTheReplacement) {
    const std::vector<uint32_t> replacement = cell_of(0x7F);
    std::map<std::vector<uint32_t>, char> seen;
    for (int byte = 32; byte <= 126; ++byte) {
        const std::vector<uint32_t> cell = cell_of(static_cast<unsigned char>(byte));
        EXPECT_NE(cell, replacement) << "'" << static_cast<char>(byte) << "' looks like the replacement";
        const auto inserted = seen.emplace(cell, static_cast<char>(byte));
        EXPECT_TRUE(inserted.second) << "'" << static_cast<char>(byte) << "' looks like '"
                                     << inserted.first->second << "'";
    }
    EXPECT_EQ(cell_of(' '), filled(bench::LABEL_CELL_WIDTH, bench::LABEL_CELL_HEIGHT).pixels);
}

TEST(LabelFont, NoGlyphTouchesItsCellsSpacing) {
    for (int byte = 0; byte <= 255; ++byte) {
        Picture cell = filled(bench::LABEL_CELL_WIDTH, bench::LABEL_CELL_HEIGHT);
        cell.pixels = cell_of(static_cast<unsigned char>(byte));
        for (int y = 0; y < bench::LABEL_CELL_HEIGHT; ++y)
            EXPECT_EQ(cell.at(bench::LABEL_CELL_WIDTH - 1, y), BACKGROUND) << "byte " << byte << ", row " << y;
        for (int x = 0; x < bench::LABEL_CELL_WIDTH; ++x)
            EXPECT_EQ(cell.at(x, bench::LABEL_CELL_HEIGHT - 1), BACKGROUND) << "byte " << byte << ", column " << x;
    }
}

TEST(LabelFont, OtherBytesDrawAHollowBox) {
    const std::vector<uint32_t> replacement = cell_of(0xE9);
    for (unsigned char byte : {0x00, 0x09, 0x0A, 0x1F, 0x7F, 0x80, 0xA0, 0xFF})
        EXPECT_EQ(cell_of(byte), replacement) << "byte " << static_cast<int>(byte);

    Picture cell = filled(bench::LABEL_CELL_WIDTH, bench::LABEL_CELL_HEIGHT);
    cell.pixels = replacement;
    const Extent box = drawn_extent(cell);
    ASSERT_LT(box.left + 1, box.right);
    ASSERT_LT(box.top + 1, box.bottom);
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x) {
            const bool edge = x == box.left || x == box.right || y == box.top || y == box.bottom;
            EXPECT_EQ(cell.at(x, y), edge ? 0xFFFFFFFF : BACKGROUND) << "at (" << x << ", " << y << ")";
        }
}

TEST(LabelFont, WidthsAddUpAndEachCellFollowsTheLast) {
    EXPECT_EQ(bench::label_text_width(""), 0);
    EXPECT_EQ(bench::label_text_width("W"), bench::LABEL_CELL_WIDTH);
    EXPECT_EQ(bench::label_text_width("Fuel\tgauge\xE9"), 11 * bench::LABEL_CELL_WIDTH);

    const std::string parts[] = {"A", "b", "\xFF", "(x)"};
    Picture joined = filled(40, 10), apart = filled(40, 10);
    bench::draw_label_text(joined, 2, 1, "Ab\xFF(x)", 0xFFFFFFFF);
    int x = 2;
    for (const std::string &part : parts) {
        bench::draw_label_text(apart, x, 1, part, 0xFFFFFFFF);
        x += bench::label_text_width(part);
    }
    EXPECT_EQ(x - 2, bench::label_text_width("Ab\xFF(x)"));
    EXPECT_EQ(joined.pixels, apart.pixels);
}

TEST(LabelFont, TextClipsAtThePictureEdges) {
    const std::string text = "C:\\Panel_1/gauge.gau, (ok)!";
    Picture whole = filled(bench::label_text_width(text), bench::LABEL_CELL_HEIGHT);
    bench::draw_label_text(whole, 0, 0, text, 0xFFFFFFFF);
    for (int top = -9; top <= 9; ++top)
        for (int left : {-200, -163, -50, -7, -1, 0, 3, 29, 31}) {
            Picture clipped = filled(30, 8);
            bench::draw_label_text(clipped, left, top, text, 0xFFFFFFFF);
            expect_cut_from(whole, clipped, left, top);
            if (HasFatalFailure())
                return;
        }
}

TEST(Placeholder, BoxIsFramedOnItsEdgesWithADarkFrameInside) {
    Picture picture = filled(60, 50);
    bench::draw_placeholder(picture, 5, 6, 40, 30, "");
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x) {
            const int inset = std::min(std::min(x - 5, 44 - x), std::min(y - 6, 35 - y));
            const uint32_t expected = inset == 0   ? bench::PLACEHOLDER_FRAME_COLOUR
                                      : inset == 1 ? bench::PLACEHOLDER_SHADOW_COLOUR
                                                   : BACKGROUND;
            ASSERT_EQ(picture.at(x, y), expected) << "at (" << x << ", " << y << ")";
        }
}

TEST(Placeholder, BoxLabelIsCutInsideTheFrames) {
    Picture picture = filled(50, 30);
    const std::string label = "Fuelgauge!Fuel gauge: no such file";
    bench::draw_placeholder(picture, 3, 4, 30, 14, label);
    const Extent extent = drawn_extent(picture);
    EXPECT_EQ(extent.left, 3);
    EXPECT_EQ(extent.top, 4);
    EXPECT_EQ(extent.right, 32);
    EXPECT_EQ(extent.bottom, 17);
    for (int x = 3; x <= 32; ++x) {
        EXPECT_EQ(picture.at(x, 4), bench::PLACEHOLDER_FRAME_COLOUR) << "top edge at " << x;
        EXPECT_EQ(picture.at(x, 17), bench::PLACEHOLDER_FRAME_COLOUR) << "bottom edge at " << x;
        EXPECT_EQ(picture.at(x, 16), x == 3 || x == 32 ? bench::PLACEHOLDER_FRAME_COLOUR
                                                       : bench::PLACEHOLDER_SHADOW_COLOUR)
            << "inner bottom edge at " << x;
    }
    for (int y = 5; y <= 16; ++y)
        EXPECT_EQ(picture.at(31, y), bench::PLACEHOLDER_SHADOW_COLOUR) << "inner right edge at " << y;

    // The text's first cell one pixel inside the strip, which starts inside both frames.
    Picture text = filled(50, 30);
    bench::draw_label_text(text, 6, 7, label, bench::PLACEHOLDER_TEXT_COLOUR);
    for (int y = 6; y <= 15; ++y)
        for (int x = 5; x <= 30; ++x) {
            const uint32_t expected = text.at(x, y) != BACKGROUND ? bench::PLACEHOLDER_TEXT_COLOUR
                                      : y <= 14                   ? bench::PLACEHOLDER_STRIP_COLOUR
                                                                  : BACKGROUND;
            EXPECT_EQ(picture.at(x, y), expected) << "at (" << x << ", " << y << ")";
        }
}

TEST(Placeholder, MarkerCoversExactlyItsExtent) {
    for (const std::string label : {"", "X", "Fuelgauge!Fuel gauge"}) {
        int width = 0, height = 0;
        bench::placeholder_marker_extent(label, &width, &height);
        for (const auto &size : std::vector<std::pair<int, int>>{{0, 0}, {0, 30}, {30, 0}}) {
            Picture picture = filled(200, 40);
            bench::draw_placeholder(picture, 10, 7, size.first, size.second, label);
            const Extent extent = drawn_extent(picture);
            EXPECT_EQ(extent.left, 10) << label;
            EXPECT_EQ(extent.top, 7) << label;
            EXPECT_EQ(extent.right - extent.left + 1, width) << label;
            EXPECT_EQ(extent.bottom - extent.top + 1, height) << label;
            // Every label here starts and ends with a glyph as wide as its cell allows.
            Picture letters = filled(200, 40);
            for (size_t index = 0; index < picture.pixels.size(); ++index)
                if (picture.pixels[index] == bench::PLACEHOLDER_TEXT_COLOUR)
                    letters.pixels[index] = bench::PLACEHOLDER_TEXT_COLOUR;
            const Extent text = drawn_extent(letters);
            if (label.empty()) {
                EXPECT_EQ(text.right, SMALLEST_INT);
                continue;
            }
            EXPECT_EQ(text.left, 10 + bench::PLACEHOLDER_MARKER_SIZE + bench::PLACEHOLDER_MARKER_LABEL_MARGIN)
                << label;
            EXPECT_EQ(text.right + bench::PLACEHOLDER_MARKER_LABEL_MARGIN, extent.right) << label;
        }
    }
    int width = 0, height = 0;
    bench::placeholder_marker_extent("", &width, &height);
    EXPECT_EQ(width, bench::PLACEHOLDER_MARKER_SIZE);
    EXPECT_EQ(height, bench::PLACEHOLDER_MARKER_SIZE);
}

TEST(Placeholder, MarkerIsAFramedBoxWithACross) {
    Picture picture = filled(20, 20);
    bench::draw_placeholder(picture, 2, 3, 0, 0, "");
    const int last = bench::PLACEHOLDER_MARKER_SIZE - 1;
    for (int y = 0; y <= last; ++y)
        for (int x = 0; x <= last; ++x) {
            const bool line = x == 0 || y == 0 || x == last || y == last || x == y || x + y == last;
            EXPECT_EQ(picture.at(2 + x, 3 + y),
                      line ? bench::PLACEHOLDER_FRAME_COLOUR : bench::PLACEHOLDER_STRIP_COLOUR)
                << "at (" << x << ", " << y << ") of the marker";
        }
}

TEST(Placeholder, MarkerAndItsLabelClipOnlyToThePicture) {
    const std::string label = "Nav light: cannot load";
    int width = 0, height = 0;
    bench::placeholder_marker_extent(label, &width, &height);
    Picture whole = filled(width, height);
    bench::draw_placeholder(whole, 0, 0, 0, 0, label);
    for (int top = -13; top <= 12; top += 5)
        for (int left : {-200, -140, -20, -11, -3, 0, 9, 50, 79}) {
            Picture clipped = filled(80, 12);
            bench::draw_placeholder(clipped, left, top, 0, 0, label);
            expect_cut_from(whole, clipped, left, top);
            if (HasFatalFailure())
                return;
        }
}

}  // namespace
