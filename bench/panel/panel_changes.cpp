#include "panel_changes.h"

#include <algorithm>

namespace bench {

namespace {

std::string pixels(const PanelSketch::Window &window) {
    return std::to_string(window.width) + " x " + std::to_string(window.height) + " pixels";
}

std::string named(const PanelSketch::Gauge &gauge) { return gauge.place + " (" + gauge.label + ")"; }

template <typename Item, typename Key>
const Item *find_by(const std::vector<Item> &items, Key key, const Item &like) {
    auto found = std::find_if(items.begin(), items.end(), [&](const Item &item) { return key(item) == key(like); });
    return found == items.end() ? nullptr : &*found;
}

}  // namespace

PanelSketch sketch(const std::vector<PanelWindow> &windows, const std::vector<PlacedGauge> &gauges) {
    PanelSketch drawn;
    for (const PanelWindow &window : windows)
        drawn.windows.push_back({window.config.number, window.width, window.height, window.config.position});
    for (const PlacedGauge &gauge : gauges)
        drawn.gauges.push_back({gauge.place, gauge.label, describe_place(gauge), gauge.not_run});
    return drawn;
}

std::vector<std::string> describe_changes(const PanelSketch &before, const PanelSketch &after) {
    std::vector<std::string> lines;
    auto window_key = [](const PanelSketch::Window &window) { return window.number; };
    auto gauge_key = [](const PanelSketch::Gauge &gauge) { return gauge.place; };
    for (const PanelSketch::Window &now : after.windows) {
        const std::string name = "window " + window_number(now.number);
        const PanelSketch::Window *was = find_by(before.windows, window_key, now);
        if (was == nullptr) {
            lines.push_back(name + " added, " + pixels(now));
            continue;
        }
        if (was->width != now.width || was->height != now.height)
            lines.push_back(name + " now " + pixels(now) + " (was " + pixels(*was) + ")");
        if (was->position != now.position)
            lines.push_back(name + " now at position " + std::to_string(now.position) + " (was " +
                            std::to_string(was->position) + ")");
    }
    for (const PanelSketch::Window &was : before.windows)
        if (find_by(after.windows, window_key, was) == nullptr)
            lines.push_back("window " + window_number(was.number) + " taken out");
    for (const PanelSketch::Gauge &now : after.gauges) {
        const PanelSketch::Gauge *was = find_by(before.gauges, gauge_key, now);
        if (was == nullptr) {
            lines.push_back(named(now) + " added, " + (now.not_run.empty() ? now.extent : "a placeholder: " + now.not_run));
            continue;
        }
        if (was->label != now.label)
            lines.push_back(now.place + " now " + now.label + " (was " + was->label + ")");
        if (!now.not_run.empty() && now.not_run != was->not_run)
            lines.push_back(named(now) + " now a placeholder: " + now.not_run);
        else if (now.not_run.empty() && !was->not_run.empty())
            lines.push_back(named(now) + " now runs, " + now.extent);
        else if (now.extent != was->extent)
            lines.push_back(named(now) + " now " + now.extent + " (was " + was->extent + ")");
    }
    for (const PanelSketch::Gauge &was : before.gauges)
        if (find_by(after.gauges, gauge_key, was) == nullptr)
            lines.push_back(named(was) + " taken out");
    if (lines.empty())
        lines.push_back(NO_CHANGE);
    return lines;
}

}  // namespace bench
