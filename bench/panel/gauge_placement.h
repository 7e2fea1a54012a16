// A gauge line placed in its panel window: its gauge file loaded, its gauge
// found, its box in the window's pixels at the host's scale. A gauge the
// bench cannot run keeps the reason and is shown as a placeholder.
#ifndef BENCH_GAUGE_PLACEMENT_H
#define BENCH_GAUGE_PLACEMENT_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gauge_file.h"
#include "panel_config.h"
#include "panel_window.h"

namespace bench {

struct PlacedGauge {
    int window = 0;          // its window's index in the panel
    GaugeLine line;
    std::string place;       // "00:gauge00"
    std::string label;       // file, or file!gauge name, as the line names it
    std::string where;       // "PATH line N (gauge00=...)"
    std::vector<std::string> looked_for;  // every path its file was looked for at, found or not
    std::string file_name;   // its file as messages name it ("Sound3.dll", "Gauges\Sound3.gau"); empty when none
    bool in_gauges = false;  // its file lies in the simulator folder's Gauges\, and the trace says so
    std::shared_ptr<panel_host::GaugeFile> file;  // null when the file cannot be loaded
    GaugeHeader *header = nullptr;  // null when the file holds no such gauge
    std::string not_run;     // why it is a placeholder; empty when it runs
    Box box;                 // in its window's pixels; width 0 when not known or a zero box
    double unit_width = 0;   // its size in design units, for messages
    double unit_height = 0;
    int bitmap_width = 0;    // its background bitmap: the gauge's own pixels
    int bitmap_height = 0;
    std::map<const ElementRecord *, bool> icons_shown;  // as last traced

    bool runs() const { return not_run.empty(); }
    // Written with a size of 0: it runs, draws nothing and takes no clicks.
    bool zero_box() const { return line.zero_box; }
    // Its head element, or null where it has none (a zero-box gauge may not).
    ElementRecord *head() const { return header->element_list ? header->element_list[0] : nullptr; }
};

// The gauge files of a panel, each loaded once, and why one could not be.
class GaugeFiles {
public:
    // The file at `path` (a full path), or null with the reason.
    std::shared_ptr<panel_host::GaugeFile> get(const std::string &path, std::string &why);

private:
    std::map<std::string, std::shared_ptr<panel_host::GaugeFile>> files_;  // by lower-case path
    std::map<std::string, std::string> failures_;
};

// Places `line` of `window` (the panel's window `window_index`). `placed`
// are the gauges placed before it: a gauge placed again becomes a placeholder.
PlacedGauge place_gauge(const PanelConfig &config, const PanelWindow &window, int window_index,
                        const GaugeLine &line, GaugeFiles &files, const std::vector<PlacedGauge> &placed);

// "38 x 49 units at (20, 40), 76 x 98 pixels at (40, 80)"
std::string describe_place(const PlacedGauge &gauge);

// What window `window` (at `scale`) shows of the gauges: their boxes, and the
// markers with labels of placeholders of no known box.
WindowContents window_contents(const std::vector<PlacedGauge> &gauges, int window, const Scale &scale);

}  // namespace bench

#endif
