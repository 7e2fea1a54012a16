// The bench's interactive mode: the panel in a real window, drawn at the
// panel rate, clicks through the gauges' registered regions.
#ifndef BENCH_WINDOW_H
#define BENCH_WINDOW_H

#include <string>

#include "panel.h"
#include "scenario.h"

namespace bench {

// Opens the window, starts the panel and runs it until the window closes or
// the script (if any) quits or fails. Returns the exit status.
int run_window(Panel &panel, Scenario *scenario, std::string &error);

}  // namespace bench

#endif
