#include "file_watch.h"

#include <windows.h>

namespace bench {

FileWatch::Stamp FileWatch::stamp_of(const std::string &path) {
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return stamp;
    stamp.exists = true;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

void FileWatch::watch(const std::vector<WatchedFile> &files) {
    files_ = files;
    rest();
}

void FileWatch::rest() {
    seen_.clear();
    for (const WatchedFile &file : files_)
        seen_.push_back(stamp_of(file.path));
    latest_ = seen_;
}

std::vector<std::string> FileWatch::poll(unsigned long now) {
    if (looked_ && now - last_look_ < POLL_MS)
        return {};
    looked_ = true;
    last_look_ = now;
    bool changed = false, differs = false;
    for (size_t i = 0; i < files_.size(); ++i) {
        const Stamp stamp = stamp_of(files_[i].path);
        if (!(stamp == latest_[i])) {
            latest_[i] = stamp;
            changed = true;
        }
        differs = differs || !(latest_[i] == seen_[i]);
    }
    if (changed)
        last_change_ = now;
    if (!differs || now - last_change_ < SETTLE_MS)
        return {};
    std::vector<std::string> names;
    for (size_t i = 0; i < files_.size(); ++i)
        if (!(latest_[i] == seen_[i]))
            names.push_back(files_[i].name);
    seen_ = latest_;
    return names;
}

}  // namespace bench
