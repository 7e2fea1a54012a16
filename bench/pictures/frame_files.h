// The panel picture of every tick as numbered files, for making a video:
// 00001.bmp after the first tick, 00002.bmp after the second, and so on.
#ifndef BENCH_FRAME_FILES_H
#define BENCH_FRAME_FILES_H

#include <string>
#include <vector>

#include "picture.h"

namespace bench {

class FrameFiles {
public:
    // Makes `folder` if it does not exist; false with a reason when it cannot.
    bool open(const std::string &folder, std::string &error);
    // Writes the next frame as an uncompressed 24-bit BMP. After the first
    // failure it writes no more; error() says which file and why.
    void write(const panel_host::Picture &picture);

    bool is_open() const { return !folder_.empty(); }
    unsigned long written() const { return written_; }
    const std::string &error() const { return error_; }

private:
    std::string folder_;
    unsigned long written_ = 0;
    std::vector<unsigned char> file_;  // one frame's file, reused
    std::string error_;
};

}  // namespace bench

#endif
