// One gaugeNN line of a panel window: "file, x, y", or with a gauge name
// "file!gauge name, x, y", then optionally width, height and a parameter:
// "file!gauge name, x, y, width, height, parameter". Positions and sizes are
// design units of the window's size_mm.
#ifndef BENCH_GAUGE_LINE_H
#define BENCH_GAUGE_LINE_H

#include <string>

namespace bench {

struct GaugeLine {
    std::string key;         // gauge05, as written
    int number = 0;          // 5
    std::string text;        // the value as read (after comments are cut)
    int line = 0;            // its line in the file, 0 when not known
    std::string file;        // the file part as written, without .gau: "Brennovalux", "LVLD\main"
    std::string file_path;   // the same below the panel folder, '\' between its folders
    std::string gauge_name;  // empty: the file's first gauge
    int x = 0;
    int y = 0;
    int width = 0;           // 0: not given, the gauge's own default width
    int height = 0;          // 0: not given, the bitmap's proportions
    std::string parameter;   // everything after the fifth comma, trimmed; may be empty
};

// Reads the value of a gauge line into `line` (key, text and line are the
// caller's); false with the reason in `why`.
bool read_gauge_line(const std::string &value, GaugeLine &line, std::string &why);

// A relative path that stays within `levels_up` folders above where it
// starts (0: below it): '/' or '\' between its parts, "." parts dropped,
// '\' between them in `path`; no drive, root or characters a file name
// cannot hold. False with the reason.
bool read_relative_path(const std::string &text, int levels_up, std::string &path, std::string &why);

}  // namespace bench

#endif
