// A panel window's background bitmap file, read with the platform's own
// bitmap loader.
#ifndef BENCH_BACKGROUND_H
#define BENCH_BACKGROUND_H

#include <string>

#include "picture.h"

namespace bench {

// Loads the bitmap file at `path` into `picture`, opaque; false with the
// reason (missing, a folder, no BMP, cut short, too large, unreadable).
bool load_background(const std::string &path, panel_host::Picture &picture, std::string &error);

}  // namespace bench

#endif
