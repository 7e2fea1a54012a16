#include "panel_reload.h"

#include "panel_changes.h"
#include "panel_files.h"

namespace bench {

namespace {

std::string first_mistake(const Diagnostics &found) {
    for (const Diagnostic &item : found.items())
        if (item.error)
            return format(item);
    return std::string();
}

struct ShownState {
    int number;
    bool visible;  // its visible= line
    bool shown;
};

std::vector<ShownState> shown_states(const std::vector<PanelWindow> &windows) {
    std::vector<ShownState> states;
    for (const PanelWindow &window : windows)
        states.push_back({window.config.number, window.config.visible, window.shown});
    return states;
}

// Windows shown or hidden by hand keep that state, unless their visible=
// line changed; such a change is one of `changes`.
void keep_shown(const std::vector<ShownState> &before, std::vector<PanelWindow> &after,
                std::vector<std::string> &changes) {
    for (PanelWindow &window : after)
        for (const ShownState &was : before) {
            if (was.number != window.config.number)
                continue;
            if (was.visible == window.config.visible)
                window.shown = was.shown;
            else if (window.shown != was.shown)
                changes.push_back("window " + window_number(window.config.number) +
                                  (window.shown ? " shown" : " hidden") + ": its visible= line changed");
        }
}

}  // namespace

PanelReload::PanelReload(Panel &panel, Trace &trace, PanelSource source, const PanelConfig &loaded, bool strict)
    : panel_(panel), trace_(trace), source_(std::move(source)), folder_(loaded.folder), strict_(strict) {}

std::vector<WatchedFile> PanelReload::files_of(const std::vector<PanelWindow> &windows,
                                               const std::vector<PlacedGauge> &gauges) const {
    return panel_files({source_.full_path, source_.path}, folder_, windows, gauges);
}

void PanelReload::watch_files() {
    watching_ = true;
    watch_.watch(files_of(panel_.windows(), panel_.gauges()));
}

std::string PanelReload::poll(unsigned long now) {
    if (!watching_)
        return std::string();
    const std::vector<std::string> changed = watch_.poll(now);
    std::string names;
    for (const std::string &name : changed)
        names += (names.empty() ? "" : ", ") + name;
    return names.empty() ? names : names + " changed";
}

bool PanelReload::refuse(const std::string &why, const PanelLayout &tried) {
    refusal_ = why;
    trace_.warning("reload refused: " + why + "; the last good panel runs on");
    // Until the next change: of the running panel's files, or of those the refused one named.
    if (watching_)
        watch_.watch(joined(files_of(panel_.windows(), panel_.gauges()), files_of(tried.windows, tried.gauges)));
    return false;
}

bool PanelReload::reload(const std::string &cause) {
    trace_.line("reload: " + cause);
    PanelConfig config;
    Diagnostics found;
    std::string error;
    PanelLayout layout;
    if (!source_.read(config, found, error)) {
        found.print(stderr);
        return refuse(error, layout);
    }
    found.print(stderr);
    if (found.has_errors())
        return refuse(first_mistake(found), layout);
    folder_ = config.folder;
    const bool laid_out = panel_.lay_out(config, found, layout);
    found.print(stderr);
    if (!laid_out)
        return refuse(first_mistake(found), layout);
    const size_t warned = found.warning_count();
    if (strict_ && warned > 0)
        return refuse("--strict: " + std::to_string(warned) + " warning(s) above count as mistakes", layout);

    const std::vector<ShownState> was_shown = shown_states(panel_.windows());
    const PanelSketch before = sketch(panel_.windows(), panel_.gauges());
    panel_.take(std::move(layout));
    std::vector<std::string> changes = describe_changes(before, sketch(panel_.windows(), panel_.gauges()));
    keep_shown(was_shown, panel_.windows(), changes);
    if (changes.size() > 1 && changes.front() == NO_CHANGE)
        changes.erase(changes.begin());
    for (const std::string &line : changes)
        trace_.line("reload: " + line);
    panel_.start();
    refusal_.clear();
    if (watching_)
        watch_.watch(files_of(panel_.windows(), panel_.gauges()));
    return true;
}

}  // namespace bench
