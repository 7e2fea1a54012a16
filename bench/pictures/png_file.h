// PNG files of pictures, encoded by the platform's imaging codecs (WIC).
#ifndef BENCH_PNG_FILE_H
#define BENCH_PNG_FILE_H

#include <string>

#include "picture.h"

namespace bench {

// Writes `picture` as an opaque 24-bit PNG; false with a reason on failure.
bool write_png(const panel_host::Picture &picture, const std::string &path, std::string &error);

}  // namespace bench

#endif
