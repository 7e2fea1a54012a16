#include "window.h"

#include <windows.h>

#include <algorithm>

#include "gauge_guard.h"
#include "panel_view.h"
#include "window_frame.h"
#include "window_io.h"
#include "zoom.h"

namespace bench {

namespace {

// The host's main window class: the ignition gauge's sound device looks for it.
const char WINDOW_CLASS[] = "FS98MAIN";
const UINT_PTR PANEL_TIMER = 1;
const DWORD WINDOW_STYLE = WS_OVERLAPPEDWINDOW;

// What the host's main window shows where no panel window covers it.
const uint32_t OUTSIDE_COLOUR = PICTURE_OPAQUE | 0x000000;
// Pixels a scroll bar's arrow or a notch of the mouse wheel scrolls.
const int SCROLL_STEP = 40;

struct WindowState {
    Panel *panel = nullptr;
    Scenario *scenario = nullptr;
    Trace *trace = nullptr;
    bool script_running = false;
    int status = 0;
    std::string *error = nullptr;
    PanelView view;
    panel_host::Picture screen;  // the client area, drawn whole at each paint
    PanelReload *reload = nullptr;
    bool reloading = false;  // ticks wait while the gauges are replaced
    // Ticks, clicks and keys a gauge's own message loop let in during one of
    // its calls, waiting for the call to return.
    std::vector<MSG> held;
    // Set when the window is destroyed: a gauge's own message loop may take
    // the quit message out of the queue before the bench's loop sees it.
    bool closed = false;
};

WindowState state;

// ---- The view: zoom, scroll bars, title ----

std::string zoom_name() {
    return state.view.fits() ? "fit" : std::to_string(percent_of(state.view.zoom())) + "%";
}

// The title: the zoom, and why the last reload was refused while the last
// good panel runs on.
void show_title(HWND window) {
    const std::string zoom = std::to_string(percent_of(state.view.zoom())) + "%";
    std::string title = "Panel bench - " + zoom + (state.view.fits() ? " (fit)" : "");
    if (state.reload != nullptr && !state.reload->refusal().empty())
        title += " - reload refused: " + state.reload->refusal();
    SetWindowTextA(window, title.c_str());
}

// The scroll bars span the zoomed layout; each is hidden when the view holds all of it.
void update_scroll_bars(HWND window) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = state.view.content_width() - 1;
    info.nPage = state.view.width();
    info.nPos = state.view.scroll_x();
    SetScrollInfo(window, SB_HORZ, &info, TRUE);  // may resize the client area, and so the view
    info.nMax = state.view.content_height() - 1;
    info.nPage = state.view.height();
    info.nPos = state.view.scroll_y();
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void view_changed(HWND window) {
    update_scroll_bars(window);
    show_title(window);
    InvalidateRect(window, nullptr, FALSE);
}

// Takes the panel's windows into the layout, at the start and whenever they
// change; a fixed zoom stays, and fit follows the layout's new size.
void lay_out(HWND window) {
    state.view.set_layout(lay_out_screen(state.panel->windows()));
    view_changed(window);
}

void follow_client_size(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;  // minimized
    if (client.right == state.view.width() && client.bottom == state.view.height())
        return;
    state.view.resize(client.right, client.bottom);
    view_changed(window);
}

// A zoom asked for by a key or the script: traced by its name, not by the
// pixels, so that the trace is the same on every screen.
void zoom_changed(HWND window) {
    state.trace->line("zoom " + zoom_name());
    view_changed(window);
}

void scroll(HWND window, int bar, WORD request) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP: position -= SCROLL_STEP; break;
    case SB_LINEDOWN: position += SCROLL_STEP; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    if (bar == SB_HORZ)
        state.view.scroll_to(position, state.view.scroll_y());
    else
        state.view.scroll_to(state.view.scroll_x(), position);
    view_changed(window);
}

// Scrolls as little as shows the whole box; false when it is larger than the view.
bool bring_into_view(HWND window, const Box &box) {
    const int x = state.view.scroll_x(), y = state.view.scroll_y();
    if (!state.view.bring_into_view(box))
        return false;
    if (x != state.view.scroll_x() || y != state.view.scroll_y())
        view_changed(window);
    return true;
}

// ---- Painting ----

// Every shown panel window's picture, zoomed into its box with the one
// whole-number scaling, then the client area at once.
void paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    panel_host::Picture &screen = state.screen;
    screen.resize(state.view.width(), state.view.height(), OUTSIDE_COLOUR);
    const std::vector<PanelWindow> &windows = state.panel->windows();
    for (size_t index = 0; index < windows.size(); ++index) {
        if (!windows[index].shown)
            continue;
        const Box box = state.view.shown_box(windows[index]);
        panel_host::draw_picture_box(screen, state.panel->compose(static_cast<int>(index)), box.left, box.top,
                                     box.width, box.height);
    }
    BITMAPINFO format = panel_host::picture_format(screen.width, screen.height);
    SetDIBitsToDevice(dc, 0, 0, screen.width, screen.height, 0, 0, 0, screen.height, screen.pixels.data(), &format,
                      DIB_RGB_COLORS);
    EndPaint(window, &paint);
}

// ---- What a script asks of the window ----

bool shown_or_why(const PanelWindow &window, std::string &error) {
    if (!window.shown)
        error = "window " + window_number(window.config.number) + " is not shown (Shift+" +
                std::to_string(window.config.number + 1) + " shows windows 00 to 08)";
    return window.shown;
}

// A panel window's area of the client area as it stands on the screen, at
// the zoom shown; scrolled into view first.
bool capture(HWND window, int panel_window, panel_host::Picture &picture, std::string &error) {
    const PanelWindow &shown = state.panel->windows()[panel_window];
    if (!shown_or_why(shown, error))
        return false;
    const Box place = state.view.shown_box(shown);
    if (place.width <= 0 || place.height <= 0 || !bring_into_view(window, place)) {
        error = "window " + window_number(shown.config.number) + " is shown " + std::to_string(place.width) +
                " x " + std::to_string(place.height) + " pixels at " + zoom_name() + ", and the view is " +
                std::to_string(state.view.width()) + " x " + std::to_string(state.view.height()) +
                ": another zoom shows it whole";
        return false;
    }
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    return copy_client_area(window, state.view.shown_box(shown), picture, error);
}

// A left click at a panel window's point, in its design units: at the view
// pixel that shows the panel pixel nearest to it, scrolled into view first.
bool mouse_click(HWND window, int panel_window, int unit_x, int unit_y, std::string &error) {
    const PanelWindow &shown = state.panel->windows()[panel_window];
    if (!shown_or_why(shown, error))
        return false;
    const int pixel_x = to_pixels(shown.scale, unit_x), pixel_y = to_pixels(shown.scale, unit_y);
    int x = 0, y = 0;
    state.view.view_pixel(shown, pixel_x, pixel_y, x, y);
    bring_into_view(window, Box{x, y, 1, 1});
    state.view.view_pixel(shown, pixel_x, pixel_y, x, y);
    return send_click(window, x, y, error);
}

bool set_zoom(HWND window, int percent) {
    if (percent == 0)
        state.view.fit();
    else
        state.view.set_zoom(zoom_of_percent(percent));
    zoom_changed(window);
    return true;
}

// Reloads the panel (`cause` for the trace) and lays the screen out for its
// windows: a fixed zoom stays, fit is recomputed, and the main window takes
// the layout's new size within the work area.
void reload_panel(HWND window, const std::string &cause) {
    state.reloading = true;
    const int width = state.view.layout().width(), height = state.view.layout().height();
    if (state.reload->reload(cause)) {
        state.view.set_layout(lay_out_screen(state.panel->windows()));
        if (state.view.layout().width() != width || state.view.layout().height() != height) {
            const RECT frame =
                main_window_frame(work_area(), static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), state.view);
            SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        lay_out(window);
    }
    show_title(window);
    InvalidateRect(window, nullptr, FALSE);
    state.reloading = false;
}

// A reload once the watched panel files have changed and settled.
void watch_files(HWND window) {
    const std::string changed = state.reload->poll(GetTickCount());
    if (!changed.empty())
        reload_panel(window, changed);
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

// ---- Messages ----

// The topmost shown panel window under the view pixel takes the click, at
// the panel pixel that the view pixel shows.
void click(int x, int y) {
    const std::vector<PanelWindow> &windows = state.panel->windows();
    for (size_t index = windows.size(); index-- > 0;) {
        if (!windows[index].shown || !state.view.shown_box(windows[index]).holds(x, y))
            continue;
        int pixel_x = 0, pixel_y = 0;
        state.view.panel_pixel(windows[index], x, y, pixel_x, pixel_y);
        state.panel->click_pixel(static_cast<int>(index), pixel_x, pixel_y);
        return;
    }
}

// Shift+1 to Shift+9 show and hide windows 00 to 08, as in the host; Z
// switches between fit and 100%, + and - (the keypad's too) zoom in steps.
bool key_down(HWND window, WPARAM key) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0, control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (key >= '1' && key <= '9' && shift) {
        for (PanelWindow &shown : state.panel->windows())
            if (shown.config.number == static_cast<int>(key - '1')) {
                shown.shown = !shown.shown;
                state.trace->line("window " + window_number(shown.config.number) + (shown.shown ? " shown" : " hidden"));
                InvalidateRect(window, nullptr, FALSE);
            }
        return true;
    }
    if (control)
        return false;
    if (key == VK_F5) {
        reload_panel(window, "F5");
        return true;
    }
    if (key == 'Z')
        state.view.toggle_fit();
    else if (key == VK_OEM_PLUS || key == VK_ADD)
        state.view.zoom_in();
    else if (key == VK_OEM_MINUS || key == VK_SUBTRACT)
        state.view.zoom_out();
    else
        return false;
    zoom_changed(window);
    return true;
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
        if (state.reloading)
            return 0;
        state.panel->cycle();
        InvalidateRect(window, nullptr, FALSE);
        step_script(window);
        watch_files(window);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_SIZE:
        follow_client_size(window);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        scroll(window, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wparam));
        return 0;
    case WM_MOUSEWHEEL: {
        // Shift and the wheel scroll across.
        const int pixels = GET_WHEEL_DELTA_WPARAM(wparam) * SCROLL_STEP / WHEEL_DELTA;
        if (GET_KEYSTATE_WPARAM(wparam) & MK_SHIFT)
            state.view.scroll_to(state.view.scroll_x() - pixels, state.view.scroll_y());
        else
            state.view.scroll_to(state.view.scroll_x(), state.view.scroll_y() - pixels);
        view_changed(window);
        return 0;
    }
    case WM_LBUTTONDOWN:
        click(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_KEYDOWN:
        if (key_down(window, wparam))
            return 0;
        break;
    case WM_DESTROY:
        KillTimer(window, PANEL_TIMER);
        state.closed = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// ---- Opening the window ----

void trace_main_window(HWND window, const RECT &work) {
    state.trace->line(describe_main_window(window, work) + "; zoom " + zoom_name());
}

}  // namespace

int run_window(Panel &panel, Scenario *scenario, PanelReload &reload, Trace &trace, const WindowOptions &options,
               std::string &error) {
    state = WindowState();
    state.panel = &panel;
    state.scenario = scenario;
    state.trace = &trace;
    state.script_running = scenario != nullptr;
    state.error = &error;
    state.reload = &reload;
    state.view.set_layout(lay_out_screen(panel.windows()));
    if (options.zoom_percent != 0)
        state.view.set_zoom(zoom_of_percent(options.zoom_percent));
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
    const RECT work = work_area();
    const RECT frame = main_window_frame(work, WINDOW_STYLE, state.view);
    HWND window = CreateWindowA(WINDOW_CLASS, "Panel bench", WINDOW_STYLE, frame.left, frame.top,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                nullptr);
    if (window == nullptr) {
        error = "cannot open the window (error " + std::to_string(GetLastError()) + "); is there a display?";
        return 2;
    }
    lay_out(window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    trace_main_window(window, work);
    // The gauges install once the host's window exists, as in the simulator.
    panel.start();
    if (scenario != nullptr) {
        scenario->mouse_click = [window](int panel_window, int x, int y, std::string &why) {
            return mouse_click(window, panel_window, x, y, why);
        };
        scenario->window_picture = [window](int panel_window, panel_host::Picture &picture, std::string &why) {
            return capture(window, panel_window, picture, why);
        };
        scenario->shown_size = [](int panel_window, int &width, int &height) {
            const Box box = state.view.shown_box(state.panel->windows()[panel_window]);
            width = box.width;
            height = box.height;
        };
        scenario->press_key = [window](const std::string &key, std::string &why) {
            return send_key(window, key, why);
        };
        scenario->set_zoom = [window](int percent, std::string &) { return set_zoom(window, percent); };
        scenario->reload_panel = [window](const std::string &cause) { reload_panel(window, cause); };
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
