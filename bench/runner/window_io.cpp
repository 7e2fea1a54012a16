#include "window_io.h"

#include <cstring>
#include <vector>

namespace bench {

bool send_click(HWND window, int x, int y, std::string &error) {
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

bool send_key(HWND window, const std::string &key, std::string &error) {
    // The keys held, in the order pressed; released the other way round.
    std::vector<WORD> held;
    if (key.size() == 7 && key.compare(0, 6, "shift+") == 0)
        held = {VK_SHIFT, static_cast<WORD>(key[6])};
    else if (key == "z")
        held = {'Z'};
    else if (key == "plus")
        held = {VK_OEM_PLUS};
    else if (key == "minus")
        held = {VK_OEM_MINUS};
    else if (key == "f5")
        held = {VK_F5};
    else {
        error = "\"" + key + "\" is no key the bench presses";
        return false;
    }
    std::vector<INPUT> inputs(held.size() * 2);
    for (size_t i = 0; i < held.size(); ++i) {
        inputs[i].type = inputs[inputs.size() - 1 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[inputs.size() - 1 - i].ki.wVk = held[i];
        inputs[inputs.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SetForegroundWindow(window);
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof inputs[0]) != inputs.size()) {
        error = "the key input was refused (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

bool copy_client_area(HWND window, const Box &box, panel_host::Picture &picture, std::string &error) {
    picture.resize(box.width, box.height, 0);
    BITMAPINFO format = panel_host::picture_format(box.width, box.height);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, box.width, box.height, dc, box.left, box.top, SRCCOPY);
    GdiFlush();
    if (copied)
        memcpy(picture.pixels.data(), bits, picture.pixels.size() * 4);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    if (!copied)
        error = "cannot copy the window's client area";
    return copied;
}

}  // namespace bench
