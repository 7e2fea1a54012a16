#include "files.h"

#include <windows.h>

#include "bench_limits.h"
#include "reading.h"
#include "system_error.h"

namespace bench {

namespace {

bool is_folder(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string full_path(const std::string &path) {
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(full);
}

bool make_folders(const std::string &folder, std::string &why) {
    // Each prefix ending before a separator, then the whole path.
    for (size_t at = folder.find_first_of("\\/", 1);; at = folder.find_first_of("\\/", at + 1)) {
        const std::string part = folder.substr(0, at);
        const bool drive = part.size() == 2 && part[1] == ':';
        if (!part.empty() && !drive && !is_folder(part)) {
            if (GetFileAttributesA(part.c_str()) != INVALID_FILE_ATTRIBUTES) {
                why = part + " is a file, not a folder";
                return false;
            }
            if (!CreateDirectoryA(part.c_str(), nullptr) && !is_folder(part)) {
                why = "cannot make the folder " + part + ": " + panel_host::system_error(GetLastError());
                return false;
            }
        }
        if (at == std::string::npos)
            return true;
    }
}

bool read_input(const std::string &path, const std::string &what, std::string &text,
                std::string &error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = path + ": no such " + what;
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = path + ": a folder, not a " + what;
        return false;
    }
    std::string why;
    if (!read_text_file(path, MAX_INPUT_BYTES, text, why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

}  // namespace bench
