// Where the bench finds the file a gauge line names: in the panel folder,
// then in the simulator folder's Gauges\ as the later hosts look there, each
// as FILE.gau, then FILE.dll; failing those, a FILE.cab or a folder FILE there
// is the later hosts' XML gauges, which the bench does not run.
#ifndef BENCH_GAUGE_SEARCH_H
#define BENCH_GAUGE_SEARCH_H

#include <string>
#include <vector>

#include "panel_config.h"

namespace bench {

struct GaugeSearch {
    std::string path;       // the file found, in full; empty when none was
    std::string name;       // how messages name it: "Brennovalux.gau", "Sound3.dll", "Gauges\Sound3.gau"
    bool in_gauges = false; // found in the simulator's Gauges\ (the trace names it there)
    std::string problem;    // why no gauge file was found, for the placeholder
    std::vector<std::string> looked_for;  // every path looked at, in order, found or not
};

// Looks for the file of `line`, whose file part is usable (no path problem).
GaugeSearch find_gauge_file(const PanelConfig &config, const GaugeLine &line);

}  // namespace bench

#endif
