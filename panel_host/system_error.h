// The platform's own words for an error code, for messages.
#ifndef PANEL_HOST_SYSTEM_ERROR_H
#define PANEL_HOST_SYSTEM_ERROR_H

#include <windows.h>

#include <string>

namespace panel_host {

// The system's message for `code`, without its line end or final stop;
// empty when it has none.
std::string system_message(DWORD code);

// "error 5: Access denied"; "error 5" when the system has no message.
std::string system_error(DWORD code);

}  // namespace panel_host

#endif
