// What a reload changed in a panel's layout, for the trace: windows and
// gauges added, taken out, moved, resized, or become placeholders.
#ifndef BENCH_PANEL_CHANGES_H
#define BENCH_PANEL_CHANGES_H

#include <string>
#include <vector>

#include "gauge_placement.h"
#include "panel_window.h"

namespace bench {

// A panel's layout in the words the trace uses.
struct PanelSketch {
    struct Window {
        int number = 0;
        int width = 0, height = 0;  // pixels
        int position = 0;
    };
    struct Gauge {
        std::string place;    // "00:gauge01"
        std::string label;
        std::string extent;   // describe_place()
        std::string not_run;  // empty when it runs
    };
    std::vector<Window> windows;
    std::vector<Gauge> gauges;
};

PanelSketch sketch(const std::vector<PanelWindow> &windows, const std::vector<PlacedGauge> &gauges);

constexpr char NO_CHANGE[] = "the layout is as before";

// One line for each difference, windows first, in the order of the new
// layout then of what was taken out; NO_CHANGE when none.
std::vector<std::string> describe_changes(const PanelSketch &before, const PanelSketch &after);

}  // namespace bench

#endif
