// One gaugeNN line of a panel window: "file, x, y", or with a gauge name
// "file!gauge name, x, y", then optionally width, height and a parameter:
// "file!gauge name, x, y, width, height, parameter". Positions and sizes are
// design units of the window's size_mm. A size written as 0 makes a zero box:
// the later hosts' way of placing a gauge that draws nothing.
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
    std::string file_path;   // the same from the panel folder, '\' between its folders; empty
                             // when `path_problem` says why it cannot be used
    std::string path_problem;  // why the file part names no file the bench may load, or empty
    std::string gauge_name;  // empty: the file's first gauge
    int x = 0;
    int y = 0;
    int width = 0;           // 0: not given, the gauge's own default width
    int height = 0;          // 0: not given, the bitmap's proportions
    bool zero_box = false;   // the width or the height is written as 0
    std::string parameter;   // everything after the fifth comma, trimmed; may be empty
};

// A gauge line the bench cannot read: it places nothing.
struct UnreadGaugeLine {
    std::string key;   // gauge05, as written
    int number = 0;
    std::string text;  // the value as read
    int line = 0;
    std::string why;
};

// Reads the value of a gauge line into `line` (key, text and line are the
// caller's); false with the reason in `why`. Its file part may reach up to
// the simulator folder (see read_relative_path); one that reaches further, or
// names a drive or a root, is no reason to refuse the line: it is kept in
// `path_problem`.
bool read_gauge_line(const std::string &value, int levels_up, GaugeLine &line, std::string &why);

// A relative path that stays within the simulator folder, `levels_up`
// folders above where it starts (-1: no simulator folder is known, and the
// path stays below its start): '/' or '\' between its parts, "." parts dropped,
// '\' between them in `path`, ".." parts left only at its start; no drive,
// root or characters a file name cannot hold. False with the reason.
bool read_relative_path(const std::string &text, int levels_up, std::string &path, std::string &why);

}  // namespace bench

#endif
