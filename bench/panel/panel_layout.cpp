#include "panel_layout.h"

namespace bench {

std::string describe_layout(const Panel &panel) {
    std::string text;
    const std::vector<PanelWindow> &windows = panel.windows();
    for (size_t index = 0; index < windows.size(); ++index) {
        const PanelWindow &window = windows[index];
        const WindowConfig &config = window.config;
        text += "window " + window_number(config.number) +
                (config.title.empty() ? "" : " \"" + config.title + "\"") + ": " + std::to_string(window.width) +
                " x " + std::to_string(window.height) + " pixels, " + format_value(to_units(window.scale, window.width)) +
                " x " + format_value(to_units(window.scale, window.height)) + " units (" + describe(window.scale) +
                "), " + (window.background.pixels.empty() ? "no background" : "background " + config.background_text) +
                (window.shown ? ", shown" : ", hidden") + " at position " +
                std::to_string(config.position < 0 ? 0 : config.position) + "\n";
        for (const PlacedGauge &gauge : panel.gauges()) {
            if (gauge.window != static_cast<int>(index))
                continue;
            text += "  " + gauge.line.key + " " + gauge.label + ": " +
                    (gauge.runs() ? describe_place(gauge) : "not run: " + gauge.not_run) +
                    (gauge.line.parameter.empty() ? "" : "; parameter \"" + gauge.line.parameter + "\"") + "\n";
        }
    }
    return text;
}

}  // namespace bench
