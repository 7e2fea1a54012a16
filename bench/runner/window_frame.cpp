#include "window_frame.h"

#include <algorithm>

namespace bench {

namespace {

int width_of(const RECT &rect) { return static_cast<int>(rect.right - rect.left); }
int height_of(const RECT &rect) { return static_cast<int>(rect.bottom - rect.top); }

std::string size_of(const RECT &rect) { return std::to_string(width_of(rect)) + " x " + std::to_string(height_of(rect)); }

std::string corner_of(const RECT &rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")";
}

}  // namespace

RECT work_area() {
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT main_window_frame(const RECT &work, DWORD style, PanelView &view) {
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRect(&frame, style, FALSE);
    const int largest_width = std::max(1, width_of(work) - width_of(frame));
    const int largest_height = std::max(1, height_of(work) - height_of(frame));
    const Zoom wanted = view.fits() ? FULL_SIZE : view.zoom();
    const int wanted_width = std::max(1, zoom_edge(wanted, view.layout().width()));
    const int wanted_height = std::max(1, zoom_edge(wanted, view.layout().height()));
    view.resize(std::min(wanted_width, largest_width), std::min(wanted_height, largest_height));
    if (view.fits())
        view.resize(view.content_width(), view.content_height());
    RECT client = {0, 0, view.width(), view.height()};
    AdjustWindowRect(&client, style, FALSE);
    const int left = static_cast<int>(work.left) + std::max(0, (width_of(work) - width_of(client)) / 2);
    const int top = static_cast<int>(work.top) + std::max(0, (height_of(work) - height_of(client)) / 2);
    return RECT{left, top, left + width_of(client), top + height_of(client)};
}

std::string describe_main_window(HWND window, const RECT &work) {
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    return "main window " + size_of(frame) + " pixels at " + corner_of(frame) + ", client area " + size_of(client) +
           ", in the work area " + size_of(work) + " at " + corner_of(work);
}

}  // namespace bench
