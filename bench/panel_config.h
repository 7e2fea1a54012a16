// The panel configuration in the host's own format: the [Window00] section's
// background bitmap, size and gauge lines, read from the file's text as the
// platform's profile functions read it, and checked against the bench's limits.
#ifndef BENCH_PANEL_CONFIG_H
#define BENCH_PANEL_CONFIG_H

#include <string>
#include <vector>

#include "reading.h"

namespace bench {

// One gaugeNN line: "file, x, y[, width]" or "file!gauge name, x, y[, width]".
struct GaugeLine {
    std::string key;         // gauge00
    std::string text;        // the value as written
    int line = 0;            // its line in the file, 0 when not known
    std::string file;        // gauge file name without its extension
    std::string gauge_name;  // empty: the file's first gauge
    int x = 0;
    int y = 0;
    int width = 0;           // 0: the gauge's own width
};

struct PanelConfig {
    std::string path;         // full path of the configuration
    std::string folder;       // its folder, ending in a separator
    std::string background;   // file= bitmap, full path, or empty
    int background_line = 0;  // the line of file=
    std::string background_text;  // file='s value as written
    int width = 0;            // size= or size_mm=, 0 when neither is given
    int height = 0;
    std::vector<GaugeLine> gauges;  // in the order of their numbers
};

// Reads the text of the configuration at `path` (a full path; messages name
// it). Every mistake and warning goes into `found`; the result is usable
// when `found` has no error.
PanelConfig read_panel_text(const std::string &path, const std::string &text, Diagnostics &found);

// "PATH line N (KEY=TEXT)": where a gauge line stands, for messages.
std::string where(const PanelConfig &config, const GaugeLine &line);

}  // namespace bench

#endif
