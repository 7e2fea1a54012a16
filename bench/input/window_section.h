// One [WindowNN] section of a panel file: its background, sizes, place on
// the screen and gauge lines, each value checked.
#ifndef BENCH_WINDOW_SECTION_H
#define BENCH_WINDOW_SECTION_H

#include <string>

#include "panel_config.h"
#include "profile_text.h"

namespace bench {

// Reads `section`; its background and gauge files may reach up to the
// simulator folder, `levels_up` folders above the panel folder (-1: none is
// known). Warnings go into `found` with their lines: nothing in a window
// section stops the bench.
WindowConfig read_window_section(const std::string &path, const ProfileSection &section, int levels_up,
                                 Diagnostics &found);

}  // namespace bench

#endif
