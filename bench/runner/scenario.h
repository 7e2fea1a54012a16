// A scenario script run against a panel: clicks, ticks, variables set and
// expected, events expected, snapshots. The script is read and checked whole
// (scenario_script.h) before its first command runs.
#ifndef BENCH_SCENARIO_H
#define BENCH_SCENARIO_H

#include <functional>
#include <string>
#include <vector>

#include "panel.h"
#include "reading.h"
#include "scenario_script.h"
#include "trace.h"

namespace bench {

class Scenario {
public:
    enum class Status { Running, Done, Failed, Quit };

    // Relative picture paths resolve against `output_folder`, or against
    // `start_folder` when there is none.
    Scenario(Panel &panel, Trace &trace, const std::string &output_folder,
             const std::string &start_folder);

    void set_commands(const std::string &path, std::vector<Command> commands);
    // Checks the commands against the loaded panel: gauges, bitmaps, points,
    // and commands that need the window.
    void check_against_panel(Diagnostics &found, bool window) const;
    // Checks the variables the commands name, once the gauges have bound theirs.
    void check_variables(Diagnostics &found) const;

    // Runs commands until one waits for ticks (see waiting()), the script
    // ends, a command fails (see error()) or asks to quit. The first call,
    // made once the gauges are installed, checks the variables first.
    Status step();
    // Ticks the last command waits for; the caller runs them, one panel cycle each.
    long waiting() const { return waiting_; }
    void waited() { --waiting_; }
    const std::string &error() const { return error_; }
    // The ticks the script's run commands come to.
    long long total_ticks() const { return run_ticks(commands_); }

    // Commands only the bench's window serves; left empty, they fail. Both
    // name a panel window by its index; points are in its design units.
    std::function<bool(int window, int x, int y, std::string &error)> mouse_click;
    // A key a `key` command names (shift+1, z, plus, minus, f5), pressed in the bench's window.
    std::function<bool(const std::string &key, std::string &error)> press_key;
    // The zoom of the bench's window: PERCENT, or 0 for fit.
    std::function<bool(int percent, std::string &error)> set_zoom;
    // The panel window's area of the bench's window as it stands on the
    // screen, zoomed, and the size it is shown at.
    std::function<bool(int window, panel_host::Picture &picture, std::string &error)> window_picture;
    std::function<void(int window, int &width, int &height)> shown_size;
    // Reloads the panel from its files; `cause` names the script's line. A
    // refused reload is no failure of the script: the last good panel runs on.
    std::function<void(const std::string &cause)> reload_panel;

private:
    using Runner = bool (Scenario::*)(const Command &);
    struct CommandRunner {
        const char *name;
        Runner run;
    };
    static const std::vector<CommandRunner> RUNNERS;

    bool click(const Command &command);
    bool mouse(const Command &command);
    bool key(const Command &command);
    bool zoom(const Command &command);
    bool run(const Command &command);
    bool set(const Command &command);
    bool expect(const Command &command);
    bool expect_event(const Command &command);
    bool expect_sound(const Command &command);
    bool expect_shown(const Command &command);
    bool snapshot(const Command &command);
    bool expect_window_as_panel(const Command &command);
    bool note(const Command &command);
    bool quit(const Command &command);
    bool reload(const Command &command);
    bool sound_fault(const Command &command);

    bool fail(const std::string &what);
    std::string where(const Command &command) const;
    // The gauge a command names, when the bench runs it; else null, and the
    // mistake in `why`.
    PlacedGauge *running_gauge(const std::string &name, std::string &why) const;
    // The window a command names (its WINDOW word, or window 00), or -1.
    int command_window(const Command &command) const;
    bool gauge_icon(const std::string &gauge_name, const std::string &icon, bool &shown);
    std::string output_path(const std::string &name) const;

    Panel &panel_;
    Trace &trace_;
    std::string output_folder_;
    std::string start_folder_;
    std::string path_;
    std::vector<Command> commands_;
    size_t next_ = 0;
    long waiting_ = 0;
    bool quit_ = false;
    size_t events_checked_ = 0;  // events before this index are matched
    bool variables_checked_ = false;
    std::string error_;
};

// Runs `scenario` without a window, one panel cycle per tick; the exit
// status. On a terminal, a long run shows its progress (progress.h).
int run_headless(Scenario &scenario, Panel &panel, Trace &trace);

}  // namespace bench

#endif
