#include "window.h"

#include <windows.h>

#include <algorithm>

#include "gauge_guard.h"

namespace bench {

namespace {

// The host's main window class: the ignition gauge's sound device looks for it.
const char WINDOW_CLASS[] = "FS98MAIN";
const UINT_PTR PANEL_TIMER = 1;

// What the host's main window shows where no panel window covers it.
const COLORREF OUTSIDE_COLOUR = RGB(0, 0, 0);

struct WindowState {
    Panel *panel = nullptr;
    Scenario *scenario = nullptr;
    Trace *trace = nullptr;
    bool script_running = false;
    int status = 0;
    std::string *error = nullptr;
    // The main window's client area in three columns and three rows, each as
    // wide and high as the largest panel window whose position lies in it.
    int column_width[3] = {};
    int row_height[3] = {};
    // Ticks, clicks and keys a gauge's own message loop let in during one of
    // its calls, waiting for the call to return.
    std::vector<MSG> held;
    // Set when the window is destroyed: a gauge's own message loop may take
    // the quit message out of the queue before the bench's loop sees it.
    bool closed = false;
};

WindowState state;

int position_of(const PanelWindow &window) { return window.config.position < 0 ? 0 : window.config.position; }

// Sizes the columns and rows for every panel window, shown or not, so that
// showing one moves no other.
void lay_out_screen(const std::vector<PanelWindow> &windows) {
    for (const PanelWindow &window : windows) {
        const int position = position_of(window);
        state.column_width[position % 3] = std::max(state.column_width[position % 3], window.width);
        state.row_height[position / 3] = std::max(state.row_height[position / 3], window.height);
    }
}

// Where a panel window sits in the main window, by its position code: 0 to
// 2 along the top, 3 to 5 across the middle, 6 to 8 along the bottom; left,
// centred or right in its column, top, centred or bottom in its row. Windows
// of different positions never overlap; windows of one position do, as in
// the host.
Box window_place(const PanelWindow &window) {
    const int position = position_of(window);
    const int column = position % 3, row = position / 3;
    int left = 0, top = 0;
    for (int before = 0; before < column; ++before)
        left += state.column_width[before];
    for (int before = 0; before < row; ++before)
        top += state.row_height[before];
    left += (state.column_width[column] - window.width) * column / 2;
    top += (state.row_height[row] - window.height) * row / 2;
    return Box{left, top, window.width, window.height};
}

void paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH outside = CreateSolidBrush(OUTSIDE_COLOUR);
    FillRect(dc, &client, outside);
    DeleteObject(outside);
    const std::vector<PanelWindow> &windows = state.panel->windows();
    for (size_t index = 0; index < windows.size(); ++index) {
        if (!windows[index].shown)
            continue;
        const Box place = window_place(windows[index]);
        panel_host::Picture picture = state.panel->compose(static_cast<int>(index));
        BITMAPINFO format = panel_host::picture_format(picture.width, picture.height);
        SetDIBitsToDevice(dc, place.left, place.top, picture.width, picture.height, 0, 0, 0, picture.height,
                          picture.pixels.data(), &format, DIB_RGB_COLORS);
    }
    EndPaint(window, &paint);
}

// A panel window's area of the client area as it stands on the screen.
bool capture(HWND window, int panel_window, panel_host::Picture &picture, std::string &error) {
    const PanelWindow &shown = state.panel->windows()[panel_window];
    if (!shown.shown) {
        error = "window " + window_number(shown.config.number) + " is not shown (Shift+" +
                std::to_string(shown.config.number + 1) + " shows windows 00 to 08)";
        return false;
    }
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    const Box place = window_place(shown);
    picture.resize(place.width, place.height, 0);
    BITMAPINFO format = panel_host::picture_format(place.width, place.height);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, place.width, place.height, dc, place.left, place.top, SRCCOPY);
    GdiFlush();
    if (copied)
        memcpy(picture.pixels.data(), bits, picture.pixels.size() * 4);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    if (!copied) {
        error = "cannot copy the window's client area";
        return false;
    }
    return true;
}

// A left click at a panel window's point, in its design units, through the
// platform's own mouse input.
bool mouse_click(HWND window, int panel_window, int unit_x, int unit_y, std::string &error) {
    const PanelWindow &shown = state.panel->windows()[panel_window];
    if (!shown.shown) {
        error = "window " + window_number(shown.config.number) + " is not shown";
        return false;
    }
    const Box place = window_place(shown);
    const int x = place.left + to_pixels(shown.scale, unit_x), y = place.top + to_pixels(shown.scale, unit_y);
    SetForegroundWindow(window);
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (SendInput(2, inputs, sizeof inputs[0]) != 2) {
        error = "the mouse input was refused (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

// Shift and a digit key through the platform's own keyboard input.
bool shift_key(HWND window, int digit, std::string &error) {
    SetForegroundWindow(window);
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_SHIFT, static_cast<WORD>('0' + digit), static_cast<WORD>('0' + digit), VK_SHIFT};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    if (SendInput(4, inputs, sizeof inputs[0]) != 4) {
        error = "the key input was refused (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

// Runs the script's commands due now; closes the window when it ends in quit or fails.
void step_script(HWND window) {
    if (!state.script_running)
        return;
    if (state.scenario->waiting() > 0)
        state.scenario->waited();
    if (state.scenario->waiting() > 0)
        return;
    Scenario::Status status = state.scenario->step();
    if (status == Scenario::Status::Running)
        return;
    state.script_running = false;
    if (status == Scenario::Status::Failed) {
        *state.error = state.scenario->error();
        state.status = 1;
    }
    if (status != Scenario::Status::Done)
        DestroyWindow(window);
}

// Holds a tick, a click or a key that arrives while a gauge call is in
// progress (a gauge's own message loop dispatched it); one tick waits at most.
bool held_back(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!panel_host::in_gauge_call() || (message != WM_TIMER && message != WM_LBUTTONDOWN && message != WM_KEYDOWN))
        return false;
    const bool tick_waits = std::any_of(state.held.begin(), state.held.end(),
                                        [](const MSG &held) { return held.message == WM_TIMER; });
    if (message != WM_TIMER || !tick_waits)
        state.held.push_back(MSG{window, message, wparam, lparam, 0, {0, 0}});
    return true;
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// What waited for a gauge call, once none is in progress.
void release_held() {
    while (!state.held.empty() && !panel_host::in_gauge_call()) {
        const MSG held = state.held.front();
        state.held.erase(state.held.begin());
        window_procedure(held.hwnd, held.message, held.wParam, held.lParam);
    }
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (held_back(window, message, wparam, lparam))
        return 0;
    switch (message) {
    case WM_TIMER:
        state.panel->cycle();
        InvalidateRect(window, nullptr, FALSE);
        step_script(window);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_LBUTTONDOWN: {
        // The topmost shown panel window under the point takes the click.
        const int x = static_cast<short>(LOWORD(lparam)), y = static_cast<short>(HIWORD(lparam));
        const std::vector<PanelWindow> &windows = state.panel->windows();
        for (size_t index = windows.size(); index-- > 0;) {
            const Box place = window_place(windows[index]);
            if (windows[index].shown && place.holds(x, y)) {
                state.panel->click_pixel(static_cast<int>(index), x - place.left, y - place.top);
                break;
            }
        }
        return 0;
    }
    case WM_KEYDOWN:
        // Shift+1 to Shift+9 show and hide windows 00 to 08, as in the host.
        if (wparam >= '1' && wparam <= '9' && (GetKeyState(VK_SHIFT) & 0x8000)) {
            for (PanelWindow &shown : state.panel->windows())
                if (shown.config.number == static_cast<int>(wparam - '1')) {
                    shown.shown = !shown.shown;
                    state.trace->line("window " + window_number(shown.config.number) +
                                      (shown.shown ? " shown" : " hidden"));
                    InvalidateRect(window, nullptr, FALSE);
                }
            return 0;
        }
        break;
    case WM_DESTROY:
        KillTimer(window, PANEL_TIMER);
        state.closed = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int run_window(Panel &panel, Scenario *scenario, Trace &trace, std::string &error) {
    state = WindowState{&panel, scenario, &trace, scenario != nullptr, 0, &error, {}, {}, {}};
    lay_out_screen(panel.windows());
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = WINDOW_CLASS;
    if (!RegisterClassA(&window_class)) {
        error = "cannot register the window class";
        return 2;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const int width = state.column_width[0] + state.column_width[1] + state.column_width[2];
    const int height = state.row_height[0] + state.row_height[1] + state.row_height[2];
    RECT frame = {0, 0, std::max(width, 1), std::max(height, 1)};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowA(WINDOW_CLASS, "Panel bench", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
    if (window == nullptr) {
        error = "cannot open the window (error " + std::to_string(GetLastError()) +
                "); is there a display?";
        return 2;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    // The gauges install once the host's window exists, as in the simulator.
    panel.start();
    if (scenario != nullptr) {
        scenario->mouse_click = [window](int panel_window, int x, int y, std::string &why) {
            return mouse_click(window, panel_window, x, y, why);
        };
        scenario->window_picture = [window](int panel_window, panel_host::Picture &picture, std::string &why) {
            return capture(window, panel_window, picture, why);
        };
        scenario->shift_key = [window](int digit, std::string &why) { return shift_key(window, digit, why); };
    }
    SetTimer(window, PANEL_TIMER, 1000 / TICKS_PER_SECOND, nullptr);
    if (scenario != nullptr) {
        // Commands before the first run happen before the first cycle, as headless.
        Scenario::Status status = scenario->step();
        if (status != Scenario::Status::Running) {
            state.script_running = false;
            if (status == Scenario::Status::Failed) {
                error = scenario->error();
                state.status = 1;
            }
            if (status != Scenario::Status::Done)
                DestroyWindow(window);
        }
    }
    MSG message;
    while (!state.closed && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        if (!panel.dispatch_to_gauge_window(message))
            DispatchMessageA(&message);
        release_held();
    }
    return state.status;
}

}  // namespace bench
