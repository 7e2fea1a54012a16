#include "message_boxes.h"

#include "module_catches.h"

namespace bench {

namespace {

// Every watched module of every MessageBoxes; the patched imports lead here.
ModuleCatches<MessageBoxes::Listener> catches;

std::string narrow(LPCWSTR text) {
    if (text == nullptr)
        return "";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &converted[0], size, nullptr, nullptr);
    return converted;
}

void tell(const void *caller, const std::string &caption, const std::string &text) {
    if (const MessageBoxes::Listener *listener = catches.of_caller(caller))
        (*listener)(caption, text);
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
    if (catches.has(module))
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
    catches.add(module, &watched->listener);
    watched_.push_back(std::move(watched));
    return true;
}

void MessageBoxes::clear() {
    for (const auto &watched : watched_)
        catches.remove(watched->module);
    watched_.clear();
}

}  // namespace bench
