// Where the bench's main window goes on the screen: its frame and caption
// around the client area the view asks for, within the screen's work area.
#ifndef BENCH_WINDOW_FRAME_H
#define BENCH_WINDOW_FRAME_H

#include <windows.h>

#include <string>

#include "panel_view.h"

namespace bench {

// The primary screen's work area: the screen less the task bar and its like.
RECT work_area();

// The window's rectangle, centred in `work`, whose client area shows the
// view's layout at its zoom (at 100% for fit), as much of it as the work
// area holds with a frame of `style`; sizes the view to that client area,
// which for fit leaves no margin beside the fitted layout.
RECT main_window_frame(const RECT &work, DWORD style, PanelView &view);

// "main window 1366 x 768 pixels at (0, 0), client area 1358 x 741, in the
// work area 1366 x 768 at (0, 0)"
std::string describe_main_window(HWND window, const RECT &work);

}  // namespace bench

#endif
