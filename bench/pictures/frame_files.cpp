#include "frame_files.h"

#include <windows.h>

#include <cstdio>

namespace bench {

namespace {

void put_u16(unsigned char *at, unsigned value) {
    at[0] = value & 0xFF;
    at[1] = (value >> 8) & 0xFF;
}

void put_u32(unsigned char *at, unsigned long value) {
    put_u16(at, value & 0xFFFF);
    put_u16(at + 2, (value >> 16) & 0xFFFF);
}

const size_t FILE_HEADER_BYTES = 14;
const size_t INFO_HEADER_BYTES = 40;

}  // namespace

bool FrameFiles::open(const std::string &folder, std::string &error) {
    folder_ = folder;
    written_ = 0;
    error_.clear();
    if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
    }
    error = folder + ": cannot make the frames folder (error " + std::to_string(GetLastError()) + ")";
    return false;
}

void FrameFiles::write(const panel_host::Picture &picture) {
    if (!error_.empty())
        return;
    char name[16];
    snprintf(name, sizeof name, "%05lu.bmp", written_ + 1);
    const std::string path = folder_ + "\\" + name;

    // Bottom row first, 3 bytes a pixel in blue, green, red order, each row
    // padded to a multiple of 4 bytes.
    const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t header = FILE_HEADER_BYTES + INFO_HEADER_BYTES;
    const size_t image = stride * static_cast<size_t>(picture.height);
    file_.assign(header + image, 0);
    unsigned char *at = file_.data();
    at[0] = 'B';
    at[1] = 'M';
    put_u32(at + 2, static_cast<unsigned long>(file_.size()));
    put_u32(at + 10, static_cast<unsigned long>(header));
    at += FILE_HEADER_BYTES;
    put_u32(at, INFO_HEADER_BYTES);
    put_u32(at + 4, static_cast<unsigned long>(picture.width));
    put_u32(at + 8, static_cast<unsigned long>(picture.height));
    put_u16(at + 12, 1);   // planes
    put_u16(at + 14, 24);  // bits a pixel
    put_u32(at + 20, static_cast<unsigned long>(image));
    for (int y = 0; y < picture.height; ++y) {
        unsigned char *row = file_.data() + header + stride * (picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t pixel = picture.at(x, y);
            row[x * 3] = pixel & 0xFF;
            row[x * 3 + 1] = (pixel >> 8) & 0xFF;
            row[x * 3 + 2] = (pixel >> 16) & 0xFF;
        }
    }

    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    const bool whole = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, file_.data(), static_cast<DWORD>(file_.size()), &done,
                                 nullptr) &&
                       done == file_.size();
    const DWORD failure = GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!whole) {
        error_ = path + ": cannot write the frame (error " + std::to_string(failure) + ")";
        return;
    }
    ++written_;
}

}  // namespace bench
