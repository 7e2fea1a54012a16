// The layout of a loaded panel as --check prints it: each window's size in
// design units and pixels and the rule that decided it, each gauge line's box
// in both (or its zero box), why the bench does not run it, or why the line
// could not be read.
#ifndef BENCH_PANEL_LAYOUT_H
#define BENCH_PANEL_LAYOUT_H

#include <string>

#include "panel.h"

namespace bench {

// One line a window, one a gauge line below it.
std::string describe_layout(const Panel &panel);

}  // namespace bench

#endif
