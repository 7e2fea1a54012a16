// A panel on the bench: its windows and the gauges their lines place, each
// loaded from its gauge file and run through the host's lifecycle, over the
// simulated aircraft; gauges the bench cannot run shown as placeholders.
#ifndef BENCH_PANEL_H
#define BENCH_PANEL_H

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "aircraft.h"
#include "call_watchdog.h"
#include "clock_sound_device.h"
#include "debug_output.h"
#include "gauge_copies.h"
#include "gauge_file.h"
#include "gauge_placement.h"
#include "host.h"
#include "message_boxes.h"
#include "panel_config.h"
#include "panel_window.h"
#include "picture.h"
#include "reading.h"
#include "sound_trace.h"
#include "sound_track.h"
#include "trace.h"

namespace bench {

// A panel's windows and the gauges their lines place, the gauge files
// loaded, not yet installed.
struct PanelLayout {
    std::vector<PanelWindow> windows;
    std::vector<PlacedGauge> gauges;  // in window order, then gauge number
    std::vector<std::string> notes;   // what --check says of gauges that run all the same
};

class Panel {
public:
    // The panel variables: see Aircraft.
    Panel(Trace &trace, const std::vector<std::string> &variables, bool only_these);
    ~Panel();

    // Opens every window of the configuration, loads its background and the
    // gauge files its lines name, and places their gauges; a gauge it cannot
    // run is a warning and a placeholder. Warns of gauges outside their
    // window or overlapping. False when `found` has a mistake; nothing runs then.
    bool load(const PanelConfig &config, Diagnostics &found);
    // The same into `layout`, leaving the panel as it is: its gauges run on
    // while a new layout is loaded beside them, each file from a copy of its own.
    bool lay_out(const PanelConfig &config, Diagnostics &found, PanelLayout &layout) const;
    // Stops the gauges that run, unloads their files and puts `layout` in
    // their place; start() installs it. The aircraft carries on.
    void take(PanelLayout layout);
    // Gives the gauge files the bench's sound device on the panel's clock
    // instead of the machine's; called before load().
    void use_clock_sound();
    // Mixes what the gauges play into a WAVE file, tick by tick; needs the
    // clock's sound device. False with the reason when it cannot.
    bool record_sound_track(const std::string &path, std::string &error);
    // The clock's sound, or null when the gauges play on the machine's device.
    SoundClock *sound_clock() { return sound_clock_.get(); }

    // Connects, installs and initializes every gauge that runs, then asks its query.
    void start();
    // One tick of the simulated aircraft and one panel cycle: update,
    // generate and draw of every gauge of every window, then the trace of
    // what changed.
    void cycle();
    // Kills every gauge, warns of sound references still held, and unloads
    // the gauge files.
    void stop();
    // stop(), then finishes the sound track: the end of the run.
    void finish();

    // A click at a point of window `window`, in its design units: the topmost
    // gauge whose region holds it. Returns false when no region does.
    bool click(int window, int x, int y);
    // The same at a pixel of the window.
    bool click_pixel(int window, int x, int y);
    // The centre of the gauge's first clickable region, in its window's pixels.
    bool click_point(const PlacedGauge &gauge, int &x, int &y) const;
    // The gauge known by "NN:gaugeKK" (its window and key), its file name,
    // its configured label or its header's name; a gauge that runs before a
    // placeholder of the same name. Null when there is none.
    PlacedGauge *find(const std::string &name);
    // The window known by its number ("02" or "2") or its ident; the empty
    // word is window 00, or the first window. -1 when there is none.
    int find_window(const std::string &word) const;

    // A window's picture: its background and every gauge's last drawn
    // picture, placeholders where gauges do not run.
    panel_host::Picture compose(int window) const;
    std::vector<PanelWindow> &windows() { return windows_; }
    const std::vector<PanelWindow> &windows() const { return windows_; }

    panel_host::Host &host() { return host_; }
    Aircraft &aircraft() { return aircraft_; }
    SoundTrace &sound() { return sound_; }
    std::vector<PlacedGauge> &gauges() { return gauges_; }
    const std::vector<PlacedGauge> &gauges() const { return gauges_; }

    // Called at the end of every cycle, when the gauges have drawn.
    std::function<void()> cycled;

    // Dispatches a message for a window of a gauge file's own, guarded: a
    // fault there stops that file's gauges. False for any other window.
    bool dispatch_to_gauge_window(const MSG &message);

    // Seconds a gauge call may take before the watchdog steps in (0: no
    // limit); set before start().
    void set_call_limit(double seconds) { call_limit_ = seconds; }
    // The gauges stopped during the run, so far.
    int stopped_gauges() const { return static_cast<int>(stopped_.size()); }
    // Notes on gauges that run, for --check: headers of another version.
    const std::vector<std::string> &notes() const { return notes_; }
    // Ends the run from the watchdog's thread when a gauge call waits inside
    // the system: the trace line, the sound track finished; exit status 3.
    [[noreturn]] void end_hung_run(const panel_host::CallStop &stop);

private:
    // Calls one of `gauge`'s routines, guarded; a null routine is none. False
    // when the call was stopped, which stops the gauge.
    bool call(PlacedGauge &gauge, const char *routine, const void *code, std::initializer_list<uint32_t> args = {});
    // The gauge is never called again: its regions dropped, its sounds
    // stopped, a placeholder in its place, a warning and a trace line.
    void stop_gauge(PlacedGauge &gauge, const panel_host::CallStop &stop);
    // Calls a routine of a gauge file's Linkage for every file that runs.
    void call_linkage(bool start);
    static void check_records(PlacedGauge &gauge, std::vector<std::string> &notes);
    void trace_icons();
    static void warn_of_placement(const PanelLayout &layout, Diagnostics &found);
    void watch(const PlacedGauge &gauge);

    Trace &trace_;
    panel_host::Host host_;
    Aircraft aircraft_;
    SoundTrace sound_;
    DebugOutput debug_;
    MessageBoxes message_boxes_;
    std::shared_ptr<SoundClock> sound_clock_;
    SoundTrack sound_track_;
    panel_host::GaugeCopies copies_;  // outlives the gauge files loaded from it
    std::vector<PanelWindow> windows_;
    std::vector<PlacedGauge> gauges_;  // in window order, then gauge number
    std::map<const PlacedGauge *, std::string> stopped_;  // the placeholder's label
    std::vector<std::string> notes_;
    double call_limit_ = 0;
    PlacedGauge *calling_ = nullptr;  // the gauge whose routine runs
    std::unique_ptr<panel_host::CallWatchdog> watchdog_;
    bool started_ = false;
};

}  // namespace bench

#endif
