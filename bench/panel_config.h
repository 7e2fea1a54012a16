// The panel configuration in the host's own format, read with the
// platform's profile functions: the [Window00] section's background bitmap,
// size and gauge lines.
#ifndef BENCH_PANEL_CONFIG_H
#define BENCH_PANEL_CONFIG_H

#include <string>
#include <vector>

namespace bench {

// One gaugeNN line: "file, x, y[, width]" or "file!gauge name, x, y[, width]".
struct GaugeLine {
    std::string key;         // gauge00
    std::string text;        // the value as written
    int line = 0;            // its line in the file, 0 when not found
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
    int width = 0;            // size= or size_mm=, 0 when neither is given
    int height = 0;
    std::vector<GaugeLine> gauges;  // in the order of their numbers
};

// Reads `path`; on failure returns false and says why in `error`.
bool read_panel_config(const std::string &path, PanelConfig &config, std::string &error);

// "PATH line N (KEY=TEXT)": where a gauge line stands, for messages.
std::string where(const PanelConfig &config, const GaugeLine &line);

}  // namespace bench

#endif
