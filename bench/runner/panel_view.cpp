#include "panel_view.h"

#include <algorithm>

namespace bench {

namespace {

int position_of(const PanelWindow &window) { return window.config.position < 0 ? 0 : window.config.position; }

}  // namespace

ScreenLayout lay_out_screen(const std::vector<PanelWindow> &windows) {
    ScreenLayout layout;
    for (const PanelWindow &window : windows) {
        const int position = position_of(window);
        layout.column_width[position % 3] = std::max(layout.column_width[position % 3], window.width);
        layout.row_height[position / 3] = std::max(layout.row_height[position / 3], window.height);
    }
    return layout;
}

// By the window's position code: 0 to 2 along the top, 3 to 5 across the
// middle, 6 to 8 along the bottom; left, centred or right in its column,
// top, centred or bottom in its row. Windows of different positions never
// overlap; windows of one position do, as in the host.
Box ScreenLayout::place(const PanelWindow &window) const {
    const int position = position_of(window);
    const int column = position % 3, row = position / 3;
    int left = 0, top = 0;
    for (int before = 0; before < column; ++before)
        left += column_width[before];
    for (int before = 0; before < row; ++before)
        top += row_height[before];
    left += (column_width[column] - window.width) * column / 2;
    top += (row_height[row] - window.height) * row / 2;
    return Box{left, top, window.width, window.height};
}

void PanelView::set_layout(const ScreenLayout &layout) {
    layout_ = layout;
    change_zoom(fit_ ? fit_zoom(layout_.width(), layout_.height(), width_, height_) : zoom_);
}

void PanelView::resize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    change_zoom(fit_ ? fit_zoom(layout_.width(), layout_.height(), width_, height_) : zoom_);
}

void PanelView::fit() {
    fit_ = true;
    change_zoom(fit_zoom(layout_.width(), layout_.height(), width_, height_));
}

void PanelView::set_zoom(const Zoom &zoom) {
    fit_ = false;
    change_zoom(zoom);
}

void PanelView::toggle_fit() {
    if (fit_)
        set_zoom(FULL_SIZE);
    else
        fit();
}

void PanelView::zoom_in() { set_zoom(bench::zoom_in(zoom_)); }

void PanelView::zoom_out() { set_zoom(bench::zoom_out(zoom_)); }

// The layout point at the view's centre stays there, as far as the scroll allows.
void PanelView::change_zoom(const Zoom &zoom) {
    const long long centre_x = 2LL * scroll_x_ + width_, centre_y = 2LL * scroll_y_ + height_;
    const Zoom before = zoom_;
    zoom_ = zoom;
    const Zoom change{zoom.numerator * before.denominator, zoom.denominator * before.numerator};
    scroll_to((zoom_edge(change, centre_x) - width_) / 2, (zoom_edge(change, centre_y) - height_) / 2);
}

void PanelView::scroll_to(int x, int y) {
    scroll_x_ = std::max(0, std::min(x, content_width() - width_));
    scroll_y_ = std::max(0, std::min(y, content_height() - height_));
}

bool PanelView::bring_into_view(const Box &box) {
    if (box.width > width_ || box.height > height_)
        return false;
    int x = scroll_x_, y = scroll_y_;
    if (box.left < 0)
        x += box.left;
    else if (box.right() > width_)
        x += box.right() - width_;
    if (box.top < 0)
        y += box.top;
    else if (box.bottom() > height_)
        y += box.bottom() - height_;
    scroll_to(x, y);
    return true;
}

Box PanelView::shown_box(const PanelWindow &window) const {
    const Box place = layout_.place(window);
    const int left = zoom_edge(zoom_, place.left), top = zoom_edge(zoom_, place.top);
    return Box{left - scroll_x_, top - scroll_y_, zoom_edge(zoom_, place.right()) - left,
               zoom_edge(zoom_, place.bottom()) - top};
}

void PanelView::panel_pixel(const PanelWindow &window, int x, int y, int &pixel_x, int &pixel_y) const {
    const Box box = shown_box(window);
    pixel_x = panel_pixel_shown(x - box.left, window.width, box.width);
    pixel_y = panel_pixel_shown(y - box.top, window.height, box.height);
}

void PanelView::view_pixel(const PanelWindow &window, int pixel_x, int pixel_y, int &x, int &y) const {
    const Box box = shown_box(window);
    x = box.left + screen_pixel_showing(pixel_x, window.width, box.width);
    y = box.top + screen_pixel_showing(pixel_y, window.height, box.height);
}

}  // namespace bench
