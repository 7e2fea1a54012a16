#include "test_files.h"

#include <cstdio>

TestFolder::TestFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    char name[64];
    snprintf(name, sizeof name, "gauge_tests_%lu_%u", GetCurrentProcessId(), ++counter);
    path_ = std::string(temp) + name;
    CreateDirectoryA(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() {
    for (const std::string &file : files_)
        DeleteFileA(file.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
        RemoveDirectoryA(folder->c_str());
    RemoveDirectoryA(path_.c_str());
}

std::string TestFolder::write(const std::string &name, const std::vector<uint8_t> &bytes) {
    for (size_t slash = name.find('\\'); slash != std::string::npos; slash = name.find('\\', slash + 1)) {
        std::string folder = path_ + "\\" + name.substr(0, slash);
        if (CreateDirectoryA(folder.c_str(), nullptr))
            folders_.push_back(folder);
    }
    std::string file = path_ + "\\" + name;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (handle != INVALID_HANDLE_VALUE) {
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
    }
    files_.push_back(file);
    return file;
}

CurrentDirectory::CurrentDirectory(const std::string &path) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    previous_ = previous;
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryA(previous_.c_str()); }
