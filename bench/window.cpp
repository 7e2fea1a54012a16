#include "window.h"

#include <windows.h>


namespace bench {

namespace {

// The host's main window class: the ignition gauge's sound device looks for it.
const char WINDOW_CLASS[] = "FS98MAIN";
const UINT_PTR PANEL_TIMER = 1;

struct WindowState {
    Panel *panel = nullptr;
    Scenario *scenario = nullptr;
    bool script_running = false;
    int status = 0;
    std::string *error = nullptr;
};

WindowState state;

void paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    panel_host::Picture picture = state.panel->compose();
    BITMAPINFO format = panel_host::picture_format(picture.width, picture.height);
    SetDIBitsToDevice(dc, 0, 0, picture.width, picture.height, 0, 0, 0, picture.height,
                      picture.pixels.data(), &format, DIB_RGB_COLORS);
    EndPaint(window, &paint);
}

// The client area as it stands on the screen.
bool capture(HWND window, panel_host::Picture &picture, std::string &error) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    picture.resize(client.right, client.bottom, 0);
    BITMAPINFO format = panel_host::picture_format(client.right, client.bottom);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
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

// A left click at a client point through the platform's own mouse input.
bool mouse_click(HWND window, int x, int y, std::string &error) {
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

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_TIMER:
        state.panel->cycle();
        InvalidateRect(window, nullptr, FALSE);
        step_script(window);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_LBUTTONDOWN:
        state.panel->click(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_DESTROY:
        KillTimer(window, PANEL_TIMER);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int run_window(Panel &panel, Scenario *scenario, std::string &error) {
    state = WindowState{&panel, scenario, scenario != nullptr, 0, &error};
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
    RECT frame = {0, 0, panel.width(), panel.height()};
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
        scenario->mouse_click = [window](int x, int y, std::string &why) {
            return mouse_click(window, x, y, why);
        };
        scenario->window_picture = [window](panel_host::Picture &picture, std::string &why) {
            return capture(window, picture, why);
        };
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
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return state.status;
}

}  // namespace bench
