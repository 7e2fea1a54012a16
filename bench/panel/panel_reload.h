// Reloading a running panel from its files: when they change (watched in
// the bench's window without a script), by hand (F5), or at a script's
// reload command. The gauges are killed and unloaded, the panel file read
// again and its gauges installed afresh, over the same aircraft; a panel
// file that cannot be read, describes no window or, under --strict, has
// warnings leaves the last good panel running.
#ifndef BENCH_PANEL_RELOAD_H
#define BENCH_PANEL_RELOAD_H

#include <functional>
#include <string>

#include "file_watch.h"
#include "panel.h"
#include "panel_config.h"
#include "reading.h"
#include "trace.h"

namespace bench {

// Where a panel comes from.
struct PanelSource {
    // Reads the panel file; false with "PATH: reason" when it cannot be read.
    using Reader = std::function<bool(PanelConfig &config, Diagnostics &found, std::string &error)>;
    std::string path;       // the panel file as given: the trace names it so
    std::string full_path;
    Reader read;
};

class PanelReload {
public:
    // `loaded` is the configuration the panel runs now.
    PanelReload(Panel &panel, Trace &trace, PanelSource source, const PanelConfig &loaded, bool strict);

    // Watches the panel's files from now on.
    void watch_files();
    bool watching() const { return watching_; }
    // When watched files have changed and stood still since (`now` in
    // milliseconds): "NAME changed" or "NAME, NAME changed"; else empty.
    std::string poll(unsigned long now);
    const FileWatch &watch() const { return watch_; }

    // Reads the panel again and puts it in place of the running one;
    // `cause` says why in the trace. False when it is refused, with the
    // reason in refusal() and on the console; the last good panel runs on.
    bool reload(const std::string &cause);
    // Why the last reload was refused; empty after one that was not.
    const std::string &refusal() const { return refusal_; }

private:
    bool refuse(const std::string &why, const PanelLayout &tried);
    std::vector<WatchedFile> files_of(const std::vector<PanelWindow> &windows,
                                      const std::vector<PlacedGauge> &gauges) const;

    Panel &panel_;
    Trace &trace_;
    PanelSource source_;
    std::string folder_;  // the panel file's folder, ending in a separator
    bool strict_;
    bool watching_ = false;
    FileWatch watch_;
    std::string refusal_;
};

}  // namespace bench

#endif
