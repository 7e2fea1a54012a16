// A panel window on the bench: its background, its scale in pixels a design
// unit and its size in pixels, decided as the host decides them.
#ifndef BENCH_PANEL_WINDOW_H
#define BENCH_PANEL_WINDOW_H

#include <cstdint>
#include <string>
#include <vector>

#include "panel_config.h"
#include "panel_scale.h"
#include "picture.h"
#include "reading.h"

namespace bench {

struct PanelWindow {
    WindowConfig config;
    panel_host::Picture background;  // empty when none is given or it cannot be read
    Scale scale;
    int width = 0;        // pixels
    int height = 0;
    uint32_t fill = 0;    // opaque colour where there is no background
    bool shown = false;   // shown in the bench's window
    std::string sizing;   // which rule decided its size, for --check: "width and height: the background's"

    // "[Window02]"
    std::string name() const { return "[" + config.section + "]"; }
};

// Loads the window's background and decides its scale: the background's
// width over size_mm's width; without a background pixel_size='s width over
// it, else one pixel a unit. A background that cannot be read is a warning.
PanelWindow open_window(const PanelConfig &config, const WindowConfig &window, Diagnostics &found);

// What a window shows of its gauges, in its pixels.
struct WindowContents {
    std::vector<Box> gauges;        // the boxes of gauges of known size, placeholders' included
    std::vector<Box> placeholders;  // the markers of placeholders of no known size, with their labels
};

// Decides the window's size in pixels: the background's; without one
// pixel_size=; without that too, at one pixel a unit, a side size_mm gives
// kept and a missing side reaching just past what the window holds, or 64
// pixels where it holds nothing; a side past the limit drawn at the limit.
// Where no gauge of known size or the limit decided a side, a warning says
// which rule did.
void size_window(PanelWindow &window, const std::string &path, const WindowContents &held, Diagnostics &found);

}  // namespace bench

#endif
