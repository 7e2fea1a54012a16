// Mouse clicks and key presses put into the bench's window through the
// platform's own input, as a user's would come.
#ifndef BENCH_WINDOW_INPUT_H
#define BENCH_WINDOW_INPUT_H

#include <windows.h>

#include <string>

namespace bench {

// A left click at the client area's pixel (x, y).
bool send_click(HWND window, int x, int y, std::string &error);

// The key a scenario's `key` command names: shift+1 to shift+9, z, plus,
// minus or f5 (lower case).
bool send_key(HWND window, const std::string &key, std::string &error);

}  // namespace bench

#endif
