#include "background.h"

#include <windows.h>

#include <fstream>

#include "bench_limits.h"

namespace bench {

namespace {

// Why a background file cannot be a panel's picture, from its header: ""
// when the platform's bitmap loader may read it.
std::string background_problem(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "no such file";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "a folder, not a bitmap";
    std::ifstream file(path, std::ios::binary);
    unsigned char head[26] = {};
    file.read(reinterpret_cast<char *>(head), sizeof head);
    const std::streamsize count = file.gcount();
    if (count < 2 || head[0] != 'B' || head[1] != 'M')
        return "not a BMP bitmap (a PNG, a JPEG, text?)";
    if (count < 26)
        return "a BMP bitmap cut short";
    auto word = [&](int at) {
        return static_cast<int32_t>(head[at] | (head[at + 1] << 8) | (head[at + 2] << 16) |
                                    (static_cast<uint32_t>(head[at + 3]) << 24));
    };
    const int32_t header_size = word(14);
    const long long width = header_size == 12 ? (head[18] | (head[19] << 8)) : word(18);
    long long height = header_size == 12 ? (head[20] | (head[21] << 8)) : word(22);
    if (height < 0)
        height = -height;
    if (width <= 0 || height <= 0 || width > MAX_PANEL_SIDE || height > MAX_PANEL_SIDE)
        return "a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; a window is 1 to " + std::to_string(MAX_PANEL_SIDE) + " pixels each way";
    return std::string();
}

}  // namespace

bool load_background(const std::string &path, panel_host::Picture &picture, std::string &error) {
    error = background_problem(path);
    if (!error.empty())
        return false;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        error = "not a bitmap the platform can read";
        return false;
    }
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    picture.resize(info.bmWidth, info.bmHeight, 0);
    BITMAPINFO format = panel_host::picture_format(info.bmWidth, info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, picture.pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (uint32_t &pixel : picture.pixels)
        pixel |= PICTURE_OPAQUE;
    return true;
}

}  // namespace bench
