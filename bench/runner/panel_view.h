// What the bench's window shows of the panel: the panel windows laid out in
// three columns and three rows, zoomed, and the part of that the window's
// client area (the view) shows, scrolled; and which panel pixel each of its
// pixels shows. No Win32: the window feeds it sizes and reads places.
#ifndef BENCH_PANEL_VIEW_H
#define BENCH_PANEL_VIEW_H

#include <vector>

#include "panel_scale.h"
#include "panel_window.h"
#include "zoom.h"

namespace bench {

// The panel windows in three columns and three rows, each as wide and as
// high as the largest window whose position lies in it, shown or not, so
// that showing one moves no other and the fit never changes with it.
struct ScreenLayout {
    int column_width[3] = {};
    int row_height[3] = {};

    int width() const { return column_width[0] + column_width[1] + column_width[2]; }
    int height() const { return row_height[0] + row_height[1] + row_height[2]; }
    // Where a panel window sits, in the layout's pixels at 100%.
    Box place(const PanelWindow &window) const;
};

ScreenLayout lay_out_screen(const std::vector<PanelWindow> &windows);

class PanelView {
public:
    void set_layout(const ScreenLayout &layout);
    const ScreenLayout &layout() const { return layout_; }
    // The view's size in pixels; the fit follows it.
    void resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // The largest zoom up to 100% at which the whole layout fits the view.
    void fit();
    void set_zoom(const Zoom &zoom);
    // Z: fit and 100% in turn; + and -: steps of 1.25 from the zoom shown.
    void toggle_fit();
    void zoom_in();
    void zoom_out();
    bool fits() const { return fit_; }
    const Zoom &zoom() const { return zoom_; }

    // The zoomed layout's size, which the scroll bars span.
    int content_width() const { return zoom_edge(zoom_, layout_.width()); }
    int content_height() const { return zoom_edge(zoom_, layout_.height()); }
    int scroll_x() const { return scroll_x_; }
    int scroll_y() const { return scroll_y_; }
    // Scrolls to show the zoomed layout from (x, y), kept within it.
    void scroll_to(int x, int y);
    // Scrolls as little as shows the whole of `box` (view pixels); false when
    // it is larger than the view.
    bool bring_into_view(const Box &box);

    // Where a panel window's pixels are shown, in view pixels.
    Box shown_box(const PanelWindow &window) const;
    // The panel pixel that view pixel (x, y), inside the window's shown box, shows.
    void panel_pixel(const PanelWindow &window, int x, int y, int &pixel_x, int &pixel_y) const;
    // The view pixel that shows the panel pixel nearest to (pixel_x, pixel_y).
    void view_pixel(const PanelWindow &window, int pixel_x, int pixel_y, int &x, int &y) const;

private:
    void change_zoom(const Zoom &zoom);

    ScreenLayout layout_;
    int width_ = 1;
    int height_ = 1;
    bool fit_ = true;
    Zoom zoom_ = FULL_SIZE;
    int scroll_x_ = 0;
    int scroll_y_ = 0;
};

}  // namespace bench

#endif
