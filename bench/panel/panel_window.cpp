#include "panel_window.h"

#include <algorithm>
#include <numeric>

#include "background.h"
#include "bench_limits.h"

namespace bench {

namespace {

const uint32_t DEFAULT_FILL = 0x303030;  // dark grey

Scale reduced(long long pixels, long long units) {
    const long long common = std::gcd(pixels, units);
    return Scale{pixels / common, units / common};
}

std::string size_text(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

PanelWindow open_window(const PanelConfig &config, const WindowConfig &window, Diagnostics &found) {
    PanelWindow opened;
    opened.config = window;
    opened.shown = window.visible;
    opened.fill = PICTURE_OPAQUE | (window.has_background_colour ? window.background_colour : DEFAULT_FILL);
    const Extent &size_mm = window.size_mm;
    if (!window.background.empty()) {
        std::string why;
        if (load_background(config.folder + window.background, opened.background, why)) {
            const panel_host::Picture &bitmap = opened.background;
            if (size_mm.width > 0)
                opened.scale = reduced(bitmap.width, size_mm.width);
            if (size_mm.height > 0 && to_pixels(opened.scale, size_mm.height) != bitmap.height)
                found.warning(window.size_mm_where,
                              "the background is " + size_text(bitmap.width, bitmap.height) +
                                  " pixels, of other proportions; the bench takes the width's scale, " +
                                  describe(opened.scale));
            if (window.pixel_size.width > 0)
                found.warning(window.pixel_size_where, "the background's size counts, " +
                                                           size_text(bitmap.width, bitmap.height) + " pixels");
            return opened;
        }
        found.warning(window.background_where,
                      window.background_text + ": " + why + "; the window is drawn without it");
    }
    if (window.pixel_size.width > 0 && size_mm.width > 0)
        opened.scale = reduced(window.pixel_size.width, size_mm.width);
    return opened;
}

bool size_window(PanelWindow &window, const std::string &path, const std::vector<Box> &gauges,
                 Diagnostics &found) {
    const WindowConfig &config = window.config;
    if (!window.background.pixels.empty()) {
        window.width = window.background.width;
        window.height = window.background.height;
        return true;
    }
    if (config.pixel_size.width > 0) {
        window.width = config.pixel_size.width;
        window.height = config.pixel_size.height;
        return true;
    }
    // One pixel a unit: size_mm where given, the gauges' extent where not.
    int right = 0, bottom = 0;
    for (const Box &box : gauges) {
        right = std::max(right, box.right());
        bottom = std::max(bottom, box.bottom());
    }
    window.width = config.size_mm.width > 0 ? config.size_mm.width : right;
    window.height = config.size_mm.height > 0 ? config.size_mm.height : bottom;
    if (window.width >= 1 && window.height >= 1 && window.width <= MAX_PANEL_SIDE &&
        window.height <= MAX_PANEL_SIDE)
        return true;
    const std::string given = config.size_mm.width == 0 ? "without a size"
                              : config.size_mm.height == 0 ? "with one size_mm value and no background"
                                                           : "at one pixel a unit";
    found.error(config.size_mm.width > 0 ? config.size_mm_where : path + " " + window.name(),
                window.name() + " " + given + " would be " + size_text(window.width, window.height) +
                    " pixels; a window is 1 to " + std::to_string(MAX_PANEL_SIDE) + " pixels each way");
    return false;
}

}  // namespace bench
