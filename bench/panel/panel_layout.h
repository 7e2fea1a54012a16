// The layout of a loaded panel as --check prints it: each window's size in
// design units and pixels, each gauge line's box in both, or why the bench
// does not run it.
#ifndef BENCH_PANEL_LAYOUT_H
#define BENCH_PANEL_LAYOUT_H

#include <string>

#include "panel.h"

namespace bench {

// One line a window, one a gauge line below it.
std::string describe_layout(const Panel &panel);

}  // namespace bench

#endif
