// A scenario script, one command a line, run against a panel: clicks,
// ticks, variables set and expected, events expected, snapshots.
#ifndef BENCH_SCENARIO_H
#define BENCH_SCENARIO_H

#include <functional>
#include <string>
#include <vector>

#include "panel.h"
#include "trace.h"

namespace bench {

class Scenario {
public:
    enum class Status { Running, Done, Failed, Quit };

    Scenario(Panel &panel, Trace &trace, const std::string &output_folder);

    // Reads the script; false with a reason when it cannot be read.
    bool load(const std::string &path, std::string &error);
    // Runs commands until one waits for ticks (see waiting()), the script
    // ends, a command fails (see error()) or asks to quit.
    Status step();
    // Ticks the last command waits for; the caller runs them, one panel cycle each.
    int waiting() const { return waiting_; }
    void waited() { --waiting_; }
    const std::string &error() const { return error_; }

    // Commands only a window serves; left empty, they fail.
    std::function<bool(int x, int y, std::string &error)> mouse_click;
    // The window's client area as it stands on the screen.
    std::function<bool(panel_host::Picture &picture, std::string &error)> window_picture;

private:
    bool execute(const std::vector<std::string> &words, const std::string &rest);
    bool fail(const std::string &what);
    bool gauge_icon(const std::string &gauge_name, const std::string &icon, bool &shown);
    std::string output_path(const std::string &name) const;

    Panel &panel_;
    Trace &trace_;
    std::string output_folder_;
    std::string path_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    int waiting_ = 0;
    bool quit_ = false;
    size_t events_checked_ = 0;  // events before this index are matched
    std::string error_;
};

// Runs `scenario` without a window, one panel cycle per tick; the exit status.
int run_headless(Scenario &scenario, Panel &panel);

}  // namespace bench

#endif
