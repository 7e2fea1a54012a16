#include "system_error.h"

namespace panel_host {

std::string system_message(DWORD code) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                   nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.'))
        message.pop_back();
    return message;
}

std::string system_error(DWORD code) {
    const std::string message = system_message(code);
    return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

}  // namespace panel_host
