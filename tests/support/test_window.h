// A top-level window of the test's own, of a given class, for code that looks
// for the host's window or takes the active one: without it both are null,
// and a check that the code passed the right window could not fail.
#ifndef TEST_WINDOW_H
#define TEST_WINDOW_H

#include <windows.h>

#include <string>

class TestWindow {
public:
    explicit TestWindow(const char *class_name) : class_name_(class_name) {
        WNDCLASSA window_class = {};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = class_name;
        RegisterClassA(&window_class);
        handle = CreateWindowA(class_name, "test window", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        error = handle == nullptr ? GetLastError() : 0;
    }
    ~TestWindow() {
        if (handle != nullptr)
            DestroyWindow(handle);
        UnregisterClassA(class_name_.c_str(), GetModuleHandleA(nullptr));
    }
    TestWindow(const TestWindow &) = delete;
    TestWindow &operator=(const TestWindow &) = delete;

    // Makes it the thread's active window; true when it is.
    bool activate() {
        SetActiveWindow(handle);
        return handle != nullptr && GetActiveWindow() == handle;
    }

    HWND handle = nullptr;
    DWORD error = 0;  // GetLastError of a failed CreateWindowA

private:
    std::string class_name_;
};

#endif
