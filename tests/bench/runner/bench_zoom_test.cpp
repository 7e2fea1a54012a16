// The bench window's zoom: the steps of + and -, the fit to the view, the
// three-column layout zoomed, and the one scaling: the panel pixel a click
// reaches is the one the screen pixel was drawn from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "panel_view.h"
#include "picture.h"
#include "window_frame.h"
#include "zoom.h"

namespace {

using bench::Box;
using bench::PanelView;
using bench::PanelWindow;
using bench::Zoom;

double ratio(const Zoom &zoom) { return static_cast<double>(zoom.numerator) / zoom.denominator; }

PanelWindow panel_window(int number, int position, int width, int height, bool shown = true) {
    PanelWindow window;
    window.config.number = number;
    window.config.position = position;
    window.width = width;
    window.height = height;
    window.shown = shown;
    return window;
}

// A designer's panel: the main window 1,280 pixels wide at the bottom centre,
// side windows of 510 at the top left, bottom left and bottom right.
std::vector<PanelWindow> large_panel() {
    return {panel_window(0, 7, 1280, 800), panel_window(1, 0, 510, 500, false), panel_window(2, 6, 510, 500),
            panel_window(3, 8, 510, 500)};
}

// The client area of a 1366 x 768 screen's window, less frame and caption.
constexpr int VIEW_WIDTH = 1358, VIEW_HEIGHT = 741;

TEST(ZoomSteps, GoByAQuarterThroughFullSizeBetween25And400Percent) {
    std::vector<int> in;
    for (Zoom zoom = bench::FULL_SIZE; in.size() < 9; ) {
        zoom = bench::zoom_in(zoom);
        in.push_back(static_cast<int>(ratio(zoom) * 10000 + 0.5));
    }
    EXPECT_EQ((std::vector<int>{12500, 15625, 19531, 24414, 30518, 38147, 40000, 40000, 40000}), in);
    std::vector<int> out;
    for (Zoom zoom = bench::FULL_SIZE; out.size() < 9; ) {
        zoom = bench::zoom_out(zoom);
        out.push_back(static_cast<int>(ratio(zoom) * 10000 + 0.5));
    }
    EXPECT_EQ((std::vector<int>{8000, 6400, 5120, 4096, 3277, 2621, 2500, 2500, 2500}), out);
    // From a fit between two steps, the steps on either side.
    const Zoom fit{57, 100};
    EXPECT_EQ((Zoom{16, 25}), bench::zoom_in(fit));
    EXPECT_EQ((Zoom{64, 125}), bench::zoom_out(fit));
    EXPECT_TRUE(bench::zoom_in(bench::zoom_out(bench::FULL_SIZE)) == bench::FULL_SIZE);
    // A fit below 25% zooms in to 25% and no further out.
    EXPECT_EQ((Zoom{1, 4}), bench::zoom_in(Zoom{1, 10}));
    EXPECT_EQ((Zoom{1, 10}), bench::zoom_out(Zoom{1, 10}));
    EXPECT_EQ(156, bench::percent_of(Zoom{25, 16}));
    EXPECT_EQ(57, bench::percent_of(bench::zoom_of_percent(57)));
}

TEST(ZoomFit, FillsTheViewOnOneSideAndNeverGrowsPastFullSize) {
    const int sizes[][4] = {{2300, 1300, VIEW_WIDTH, VIEW_HEIGHT}, {2300, 1300, 1900, 1160}, {440, 220, 800, 600},
                            {4096, 17, 1000, 1000},                {17, 4096, 1000, 1000},  {12288, 12288, 1, 1},
                            {1001, 999, 1000, 1000}};
    for (const auto &size : sizes) {
        const Zoom fit = bench::fit_zoom(size[0], size[1], size[2], size[3]);
        const int width = bench::zoom_edge(fit, size[0]), height = bench::zoom_edge(fit, size[1]);
        EXPECT_LE(width, size[2]) << size[0] << " x " << size[1];
        EXPECT_LE(height, size[3]) << size[0] << " x " << size[1];
        EXPECT_LE(ratio(fit), 1.0);
        if (ratio(fit) < 1) {
            EXPECT_TRUE(width == size[2] || height == size[3]) << size[0] << " x " << size[1];
        }
    }
    EXPECT_TRUE(bench::fit_zoom(440, 220, 800, 600) == bench::FULL_SIZE);
}

TEST(ZoomEdges, RoundHalvesUpOnEitherSideOfZero) {
    EXPECT_EQ(2, bench::zoom_edge(Zoom{1, 2}, 3));
    EXPECT_EQ(-1, bench::zoom_edge(Zoom{1, 2}, -3));
    EXPECT_EQ(-2, bench::zoom_edge(Zoom{1, 2}, -4));
    EXPECT_EQ(1280 * 4, bench::zoom_edge(Zoom{4, 1}, 1280));
    EXPECT_EQ(8, bench::zoom_edge(Zoom{2, 3}, 12));
}

// The zooms the tests below walk: the fit of the large panel, the steps, odd fractions.
std::vector<Zoom> some_zooms() {
    std::vector<Zoom> zooms{bench::fit_zoom(2300, 1300, VIEW_WIDTH, VIEW_HEIGHT), Zoom{7, 3}, Zoom{99, 100},
                            Zoom{101, 100}};
    for (Zoom zoom{1, 4}; zoom < Zoom{4, 1}; zoom = bench::zoom_in(zoom))
        zooms.push_back(zoom);
    zooms.push_back(Zoom{4, 1});
    return zooms;
}

// A picture whose every pixel names its own column.
panel_host::Picture numbered_columns(int width) {
    panel_host::Picture picture;
    picture.resize(width, 1, 0);
    for (int x = 0; x < width; ++x)
        picture.pixels[x] = PICTURE_OPAQUE | static_cast<uint32_t>(x);
    return picture;
}

TEST(OneScaling, AClickReachesThePanelPixelItsScreenPixelWasDrawnFrom) {
    for (const int length : {510, 1280, 97}) {
        const panel_host::Picture panel = numbered_columns(length);
        for (const Zoom &zoom : some_zooms()) {
            const int shown = bench::zoom_edge(zoom, length);
            const panel_host::Picture screen = bench::zoom_picture(panel, shown, 1);
            ASSERT_EQ(shown, screen.width);
            int differing = 0;
            for (int x = 0; x < shown; ++x)
                differing += static_cast<int>(screen.pixels[x] & 0xFFFFFF) != bench::panel_pixel_shown(x, length, shown);
            EXPECT_EQ(0, differing) << length << " pixels at " << ratio(zoom);
        }
    }
}

TEST(OneScaling, TheMouseAimsAtTheNearestPanelPixelShown) {
    for (const int length : {510, 97, 3}) {
        for (const Zoom &zoom : some_zooms()) {
            const int shown = bench::zoom_edge(zoom, length);
            for (int pixel = 0; pixel < length; ++pixel) {
                const int aimed = bench::screen_pixel_showing(pixel, length, shown);
                ASSERT_GE(aimed, 0);
                ASSERT_LT(aimed, shown);
                int nearest = length;
                for (int x = 0; x < shown; ++x)
                    nearest = std::min(nearest, std::abs(bench::panel_pixel_shown(x, length, shown) - pixel));
                EXPECT_EQ(nearest, std::abs(bench::panel_pixel_shown(aimed, length, shown) - pixel))
                    << "pixel " << pixel << " of " << length << " at " << ratio(zoom);
                if (shown >= length) {
                    EXPECT_EQ(pixel, bench::panel_pixel_shown(aimed, length, shown));
                }
            }
        }
    }
    // Outside the window, outside its shown pixels too.
    EXPECT_EQ(-5, bench::screen_pixel_showing(-10, 100, 50));
    EXPECT_EQ(55, bench::screen_pixel_showing(110, 100, 50));
}

TEST(PanelLayout, CountsHiddenWindowsSoThatShowingOneNeverRescales) {
    std::vector<PanelWindow> windows = large_panel();
    const bench::ScreenLayout layout = bench::lay_out_screen(windows);
    EXPECT_EQ(2300, layout.width());
    EXPECT_EQ(1300, layout.height());
    windows[1].shown = true;
    EXPECT_EQ(2300, bench::lay_out_screen(windows).width());
    EXPECT_EQ(510, layout.place(windows[0]).left);
    EXPECT_EQ(500, layout.place(windows[0]).top);
    EXPECT_EQ(1790, layout.place(windows[3]).left);
    EXPECT_EQ(800, layout.place(windows[3]).top);  // at the bottom of its row
}

TEST(PanelView, FitsTheLargePanelWithNoWindowOverlappingOrOutside) {
    std::vector<PanelWindow> windows = large_panel();
    PanelView view;
    view.resize(VIEW_WIDTH, VIEW_HEIGHT);
    view.set_layout(bench::lay_out_screen(windows));
    ASSERT_TRUE(view.fits());
    EXPECT_EQ(57, bench::percent_of(view.zoom()));
    EXPECT_LE(view.content_width(), VIEW_WIDTH);
    EXPECT_EQ(VIEW_HEIGHT, view.content_height());
    const Box whole{0, 0, VIEW_WIDTH, VIEW_HEIGHT};
    for (size_t i = 0; i < windows.size(); ++i) {
        const Box box = view.shown_box(windows[i]);
        EXPECT_TRUE(whole.holds(box.left, box.top) && whole.holds(box.right() - 1, box.bottom() - 1))
            << "window " << i << ": " << bench::describe(box);
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(box.overlaps(view.shown_box(windows[j]))) << i << " and " << j;
    }
    // The main window's right edge: aimed at, then clicked, the same panel pixel.
    int x = 0, y = 0, pixel_x = 0, pixel_y = 0;
    view.view_pixel(windows[0], 1250, 400, x, y);
    EXPECT_TRUE(view.shown_box(windows[0]).holds(x, y));
    view.panel_pixel(windows[0], x, y, pixel_x, pixel_y);
    EXPECT_LE(std::abs(pixel_x - 1250), 1);
    EXPECT_LE(std::abs(pixel_y - 400), 1);
    // The fit follows the view's size.
    view.resize(1900, 1160);
    EXPECT_EQ(83, bench::percent_of(view.zoom()));
}

TEST(PanelView, ZTogglesFitAndFullSizeAndAFixedZoomScrolls) {
    std::vector<PanelWindow> windows = large_panel();
    PanelView view;
    view.resize(VIEW_WIDTH, VIEW_HEIGHT);
    view.set_layout(bench::lay_out_screen(windows));
    view.toggle_fit();
    EXPECT_FALSE(view.fits());
    EXPECT_TRUE(view.zoom() == bench::FULL_SIZE);
    // The panel pixel at the view's centre stays there: (679, 370.5) of the
    // view at 57% shows layout pixel (1191, 650).
    EXPECT_EQ(1191 - VIEW_WIDTH / 2, view.scroll_x());
    EXPECT_EQ((1300 - VIEW_HEIGHT) / 2, view.scroll_y());
    view.scroll_to(100000, -5);
    EXPECT_EQ(2300 - VIEW_WIDTH, view.scroll_x());
    EXPECT_EQ(0, view.scroll_y());
    // The window at the top left brought into view; one larger than the view cannot be.
    EXPECT_TRUE(view.bring_into_view(view.shown_box(windows[1])));
    EXPECT_EQ(0, view.shown_box(windows[1]).left);
    EXPECT_FALSE(view.bring_into_view(view.shown_box(windows[0])));
    // A resize keeps a fixed zoom.
    view.resize(800, 600);
    EXPECT_TRUE(view.zoom() == bench::FULL_SIZE);
    view.toggle_fit();
    EXPECT_TRUE(view.fits());
    EXPECT_EQ(0, view.scroll_x());
    EXPECT_EQ(0, view.scroll_y());
    EXPECT_LE(view.content_width(), 800);
}

TEST(MainWindowFrame, LiesWithinTheWorkAreaAndShowsTheLayoutAtItsZoom) {
    const std::vector<PanelWindow> windows = large_panel();
    const RECT work = {0, 40, 1366, 768};  // a task bar along the top
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    for (const int percent : {0, 25, 70, 400}) {
        PanelView view;
        view.set_layout(bench::lay_out_screen(windows));
        if (percent != 0)
            view.set_zoom(bench::zoom_of_percent(percent));
        const RECT place = bench::main_window_frame(work, WS_OVERLAPPEDWINDOW, view);
        EXPECT_GE(place.left, work.left) << percent << "%";
        EXPECT_GE(place.top, work.top) << percent << "%";
        EXPECT_LE(place.right, work.right) << percent << "%";
        EXPECT_LE(place.bottom, work.bottom) << percent << "%";
        EXPECT_EQ(place.right - place.left, view.width() + frame.right - frame.left) << percent << "%";
        EXPECT_EQ(place.bottom - place.top, view.height() + frame.bottom - frame.top) << percent << "%";
        if (percent == 0) {  // fit: the client area is the fitted layout, no margin
            EXPECT_TRUE(view.fits());
            EXPECT_EQ(view.content_width(), view.width());
            EXPECT_EQ(view.content_height(), view.height());
            EXPECT_EQ(work.bottom - work.top - (frame.bottom - frame.top), view.height());
        }
        if (percent == 25) {  // the whole layout at 25%, centred
            EXPECT_EQ(575, view.width());
            EXPECT_EQ(325, view.height());
            EXPECT_EQ(work.left + (work.right - work.left - (place.right - place.left)) / 2, place.left);
        }
    }
}

}  // namespace
