#include "panel_window.h"

#include <algorithm>
#include <numeric>

#include "background.h"
#include "bench_limits.h"
#include "profile_text.h"

namespace bench {

namespace {

const uint32_t DEFAULT_FILL = 0x303030;  // dark grey
const int EMPTY_SIDE = 64;               // pixels, for a side nothing decides

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

void size_window(PanelWindow &window, const std::string &path, const WindowContents &held, Diagnostics &found) {
    const WindowConfig &config = window.config;
    if (!window.background.pixels.empty()) {
        window.width = window.background.width;
        window.height = window.background.height;
        window.sizing = "width and height: the background's";
        return;
    }
    if (config.pixel_size.width > 0) {
        window.width = config.pixel_size.width;
        window.height = config.pixel_size.height;
        window.sizing = "width and height: pixel_size=";
        return;
    }
    // One pixel a unit: size_mm where given, what the window holds where not.
    int gauges_right = 0, gauges_bottom = 0;
    for (const Box &box : held.gauges) {
        gauges_right = std::max(gauges_right, box.right());
        gauges_bottom = std::max(gauges_bottom, box.bottom());
    }
    int right = gauges_right, bottom = gauges_bottom;
    for (const Box &box : held.placeholders) {
        right = std::max(right, box.right());
        bottom = std::max(bottom, box.bottom());
    }
    bool doubtful = false;
    auto side = [&](int given, int gauges_edge, int edge, int &pixels) {
        std::string rule;
        if (given > 0) {
            pixels = given, rule = "size_mm at one pixel a unit";
        } else if (gauges_edge > 0) {
            pixels = edge, rule = "just past its gauges";
        } else if (edge > 0) {
            pixels = edge, rule = "just past its placeholders' markers and labels", doubtful = true;
        } else {
            pixels = EMPTY_SIDE, rule = std::to_string(EMPTY_SIDE) + " pixels, as it holds nothing", doubtful = true;
        }
        if (pixels > MAX_PANEL_SIDE) {
            rule += ", " + std::to_string(pixels) + " pixels drawn at the limit of " + std::to_string(MAX_PANEL_SIDE);
            pixels = MAX_PANEL_SIDE, doubtful = true;
        }
        return rule;
    };
    const std::string width_rule = side(config.size_mm.width, gauges_right, right, window.width);
    const std::string height_rule = side(config.size_mm.height, gauges_bottom, bottom, window.height);
    window.sizing = width_rule == height_rule ? "width and height: " + width_rule
                                              : "width: " + width_rule + "; height: " + height_rule;
    if (!doubtful)
        return;
    std::vector<std::string> lacks = {"no background", "no pixel_size="};
    if (config.size_mm.width == 0)
        lacks.push_back("no size_mm=");
    else if (config.size_mm.height == 0)
        lacks.push_back("a one-value size_mm=");
    if (held.gauges.empty() && (config.size_mm.width == 0 || config.size_mm.height == 0))
        lacks.push_back("no gauge of known size");
    std::string lacking;
    for (size_t i = 0; i < lacks.size(); ++i)
        lacking += (i == 0 ? "" : i + 1 == lacks.size() ? " and " : ", ") + lacks[i];
    found.warning(line_place(path, config.section_line),
                  window.name() + " has " + lacking + "; the bench makes it " +
                      size_text(window.width, window.height) + " pixels at one pixel a unit (" + window.sizing + ")");
}

}  // namespace bench
