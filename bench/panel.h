// A panel on the bench: the gauges its configuration places, each loaded
// from its gauge file and run through the host's lifecycle, over the
// simulated aircraft.
#ifndef BENCH_PANEL_H
#define BENCH_PANEL_H

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "aircraft.h"
#include "clock_sound_device.h"
#include "debug_output.h"
#include "gauge_file.h"
#include "host.h"
#include "panel_config.h"
#include "reading.h"
#include "picture.h"
#include "sound_trace.h"
#include "sound_track.h"
#include "trace.h"

namespace bench {

struct PlacedGauge {
    GaugeLine line;
    std::shared_ptr<panel_host::GaugeFile> file;
    GaugeHeader *header = nullptr;
    std::string label;  // the file name, or file!gauge name as configured
    double scale = 1.0; // configured width over the background's width
    int width = 0;      // the gauge's rectangle on the panel, scaled
    int height = 0;
    std::map<const ElementRecord *, bool> icons_shown;  // as last traced

    ElementRecord *head() const { return header->element_list[0]; }
};

class Panel {
public:
    // The panel variables: see Aircraft.
    Panel(Trace &trace, const std::vector<std::string> &variables, bool only_these);
    ~Panel();

    // Loads the background and every gauge file the configuration names and
    // finds its gauge; warns of gauges outside the panel or overlapping. On a
    // failure nothing stays loaded; `found` has every mistake.
    bool load(const PanelConfig &config, Diagnostics &found);
    // Gives the gauge files the bench's sound device on the panel's clock
    // instead of the machine's; called before load().
    void use_clock_sound();
    // Mixes what the gauges play into a WAVE file, tick by tick; needs the
    // clock's sound device. False with the reason when it cannot.
    bool record_sound_track(const std::string &path, std::string &error);
    // The clock's sound, or null when the gauges play on the machine's device.
    SoundClock *sound_clock() { return sound_clock_.get(); }

    // Connects, installs and initializes every gauge, then asks its query.
    void start();
    // One tick of the simulated aircraft and one panel cycle: update,
    // generate and draw of every gauge, then the trace of what changed.
    void cycle();
    // Kills every gauge, warns of sound references still held, and unloads
    // the gauge files.
    void stop();

    // A click at a panel point: the topmost gauge whose region holds it.
    // Returns false when no region does.
    bool click(int x, int y);
    // The centre of the gauge's first clickable region, in panel pixels.
    bool click_point(const PlacedGauge &gauge, int &x, int &y) const;
    // The gauge known by its file name, its configured label or its header's name.
    PlacedGauge *find(const std::string &name);

    // The panel picture: its background and every gauge's last drawn picture.
    panel_host::Picture compose() const;
    int width() const { return width_; }
    int height() const { return height_; }

    panel_host::Host &host() { return host_; }
    Aircraft &aircraft() { return aircraft_; }
    SoundTrace &sound() { return sound_; }
    std::vector<PlacedGauge> &gauges() { return gauges_; }

    // Called at the end of every cycle, when the gauges have drawn.
    std::function<void()> cycled;

private:
    void trace_icons();
    bool place(const PanelConfig &config, const GaugeLine &line,
               std::map<std::string, std::shared_ptr<panel_host::GaugeFile>> &files,
               std::vector<PlacedGauge> &gauges, Diagnostics &found);
    void warn_of_placement(const PanelConfig &config, Diagnostics &found) const;

    Trace &trace_;
    panel_host::Host host_;
    Aircraft aircraft_;
    SoundTrace sound_;
    DebugOutput debug_;
    std::shared_ptr<SoundClock> sound_clock_;
    SoundTrack sound_track_;
    std::vector<PlacedGauge> gauges_;
    panel_host::Picture background_;
    int width_ = 0;
    int height_ = 0;
    bool started_ = false;
};

}  // namespace bench

#endif
