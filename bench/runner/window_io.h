// The bench's window as a user meets it: mouse clicks and key presses put in
// through the platform's own input, and its pixels as they stand on the screen.
#ifndef BENCH_WINDOW_IO_H
#define BENCH_WINDOW_IO_H

#include <windows.h>

#include <string>

#include "panel_scale.h"
#include "picture.h"

namespace bench {

// A left click at the client area's pixel (x, y).
bool send_click(HWND window, int x, int y, std::string &error);

// The key a scenario's `key` command names: shift+1 to shift+9, z, plus,
// minus or f5 (lower case).
bool send_key(HWND window, const std::string &key, std::string &error);

// The client area's box of pixels as it stands on the screen.
bool copy_client_area(HWND window, const Box &box, panel_host::Picture &picture, std::string &error);

}  // namespace bench

#endif
