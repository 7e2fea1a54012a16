#include "gauge_copies.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "system_error.h"

namespace panel_host {

namespace {

std::string file_name(const std::string &path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string parent_folder(const std::string &path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

const char FOLDER_PREFIX[] = "panel-bench-";

// Removes `folder` and what it holds: numbered folders of copies.
void remove_tree(const std::string &folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// The folders a run left when it was killed: their process is gone.
void remove_stale_folders(const std::string &temp) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((temp + FOLDER_PREFIX + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        const DWORD process = strtoul(found.cFileName + sizeof FOLDER_PREFIX - 1, nullptr, 10);
        if (process == 0 || process == GetCurrentProcessId())
            continue;
        HANDLE running = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process);
        if (running != nullptr) {
            CloseHandle(running);
            continue;
        }
        if (GetLastError() == ERROR_INVALID_PARAMETER)  // no such process
            remove_tree(temp + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

GaugeCopies::~GaugeCopies() {
    while (!copies_.empty()) {
        const std::string last = copies_.back();
        remove(last);
    }
    if (!folder_.empty())
        RemoveDirectoryA(folder_.substr(0, folder_.size() - 1).c_str());
}

bool GaugeCopies::make_folder(std::string &why) {
    if (!folder_.empty())
        return true;
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        why = "no temporary folder (" + system_error(GetLastError()) + ")";
        return false;
    }
    remove_stale_folders(temp);
    // The process id and the time keep the folders of runs at once apart.
    const std::string base = std::string(temp) + FOLDER_PREFIX + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount());
    if (!CreateDirectoryA(base.c_str(), nullptr)) {
        why = "cannot make the folder " + base + " for the gauge files' copies (" +
              system_error(GetLastError()) + ")";
        return false;
    }
    folder_ = base + "\\";
    return true;
}

std::string GaugeCopies::copy(const std::string &original, std::string &why) {
    if (!make_folder(why))
        return std::string();
    const std::string folder = folder_ + std::to_string(++next_);
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        why = "cannot make the folder " + folder + " for its copy (" + system_error(GetLastError()) + ")";
        return std::string();
    }
    const std::string copy = folder + "\\" + file_name(original);
    if (!CopyFileA(original.c_str(), copy.c_str(), TRUE)) {
        why = "cannot be copied to load (" + system_error(GetLastError()) + ")";
        RemoveDirectoryA(folder.c_str());
        return std::string();
    }
    copies_.push_back(copy);
    return copy;
}

void GaugeCopies::remove(const std::string &copy) {
    auto found = std::find(copies_.begin(), copies_.end(), copy);
    if (found == copies_.end())
        return;
    copies_.erase(found);
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only original's copy is read-only too
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(parent_folder(copy).c_str());
}

}  // namespace panel_host
