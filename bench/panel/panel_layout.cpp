#include "panel_layout.h"

#include <algorithm>

namespace bench {

namespace {

std::string describe_window(const PanelWindow &window) {
    const WindowConfig &config = window.config;
    return "window " + window_number(config.number) + (config.title.empty() ? "" : " \"" + config.title + "\"") +
           ": " + std::to_string(window.width) + " x " + std::to_string(window.height) + " pixels, " +
           format_value(to_units(window.scale, window.width)) + " x " +
           format_value(to_units(window.scale, window.height)) + " units (" + describe(window.scale) + "), " +
           (window.background.pixels.empty() ? "no background" : "background " + config.background_text) +
           (window.shown ? ", shown" : ", hidden") + " at position " +
           std::to_string(config.position < 0 ? 0 : config.position) + "; " + window.sizing;
}

std::string describe_gauge(const PlacedGauge &gauge) {
    std::string text = gauge.line.key + " " + gauge.label + ": " +
                       (gauge.runs() ? describe_place(gauge) : "not run: " + gauge.not_run);
    if (gauge.runs() && gauge.in_gauges)
        text += "; file " + gauge.file_name;
    if (!gauge.line.parameter.empty())
        text += "; parameter \"" + gauge.line.parameter + "\"";
    return text;
}

}  // namespace

std::string describe_layout(const Panel &panel) {
    std::string text;
    const std::vector<PanelWindow> &windows = panel.windows();
    for (size_t index = 0; index < windows.size(); ++index) {
        const PanelWindow &window = windows[index];
        text += describe_window(window) + "\n";
        // Placed and unread lines together, in the order of their numbers.
        std::vector<std::pair<int, std::string>> lines;
        for (const PlacedGauge &gauge : panel.gauges())
            if (gauge.window == static_cast<int>(index))
                lines.emplace_back(gauge.line.number, describe_gauge(gauge));
        for (const UnreadGaugeLine &unread : window.config.unread_gauges)
            lines.emplace_back(unread.number, unread.key + ": not read: " + unread.why);
        std::stable_sort(lines.begin(), lines.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &line : lines)
            text += "  " + line.second + "\n";
    }
    return text;
}

}  // namespace bench
