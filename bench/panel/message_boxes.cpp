#include "message_boxes.h"

#include <algorithm>

#include "gauge_guard.h"

namespace bench {

namespace {

struct Catch {
    HMODULE module;
    const MessageBoxes::Listener *listener;
};

// Every watched module of every MessageBoxes; the patched imports lead here.
std::vector<Catch> catches;

HMODULE caller_module(const void *address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

std::string narrow(LPCWSTR text) {
    if (text == nullptr)
        return "";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &converted[0], size, nullptr, nullptr);
    return converted;
}

// The box's module: the caller's, or the guarded call's when the gauge
// jumped here at the end of its routine.
void tell(const void *caller, const std::string &caption, const std::string &text) {
    for (HMODULE module : {caller_module(caller), panel_host::module_in_call()})
        for (const Catch &caught : catches)
            if (caught.module == module) {
                (*caught.listener)(caption, text);
                return;
            }
}

int WINAPI caught_message_box_a(HWND, LPCSTR text, LPCSTR caption, UINT) {
    tell(__builtin_return_address(0), caption ? caption : "", text ? text : "");
    return IDOK;
}

int WINAPI caught_message_box_w(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
    tell(__builtin_return_address(0), narrow(caption), narrow(text));
    return IDOK;
}

}  // namespace

bool MessageBoxes::watch(HMODULE module, Listener listener) {
    for (const Catch &caught : catches)
        if (caught.module == module)
            return false;
    auto watched = std::make_unique<Watched>();
    watched->module = module;
    watched->listener = std::move(listener);
    watched->narrow = std::make_unique<ImportPatch>(module, "user32.dll", "MessageBoxA",
                                                    reinterpret_cast<const void *>(&caught_message_box_a));
    watched->wide = std::make_unique<ImportPatch>(module, "user32.dll", "MessageBoxW",
                                                  reinterpret_cast<const void *>(&caught_message_box_w));
    if (watched->narrow->replaced() == 0 && watched->wide->replaced() == 0)
        return false;
    catches.push_back({module, &watched->listener});
    watched_.push_back(std::move(watched));
    return true;
}

void MessageBoxes::clear() {
    for (const auto &watched : watched_)
        catches.erase(std::remove_if(catches.begin(), catches.end(),
                                     [&](const Catch &caught) { return caught.module == watched->module; }),
                      catches.end());
    watched_.clear();
}

}  // namespace bench
