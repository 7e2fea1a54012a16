// The bench's limits on what a panel file and a scenario may ask for: past
// them an input is refused before anything runs.
#ifndef BENCH_LIMITS_H
#define BENCH_LIMITS_H

namespace bench {

constexpr int MAX_PANEL_SIDE = 4096;         // a window's width and height, a gauge's too, in pixels
constexpr int MAX_UNITS = 16384;             // size_mm, a gauge's size, and its x and y within +-this
constexpr int MAX_WINDOWS = 64;              // Window00 to Window63
constexpr int MAX_GAUGE_NUMBER = 99;         // gauge00 to gauge99
constexpr int MAX_PROFILE_LINE = 1023;       // what the profile functions read of a line
constexpr long long MAX_SCRIPT_TICKS = 1000000;  // all run commands of a script together
constexpr int MAX_SNAPSHOTS = 1000;          // snapshot and window-snapshot commands
constexpr long long MAX_INPUT_BYTES = 1 << 20;   // a panel file or a scenario script
constexpr int MAX_CLICK_COORDINATE = 100000; // click and mouse points, either way
constexpr int MIN_ZOOM_PERCENT = 25;         // the window's zoom, --zoom and the zoom command
constexpr int MAX_ZOOM_PERCENT = 400;

}  // namespace bench

#endif
