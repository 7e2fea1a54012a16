#include "panel.h"

#include <windows.h>

#include <algorithm>

#include "bench_limits.h"
#include "foreign_records.h"
#include "placeholder.h"
#include "sound_mixer.h"

namespace bench {

namespace {

using panel_host::call_code;
using panel_host::call_word;

void HOST_CALL run_walk(const std::function<void()> *walk) { (*walk)(); }

}  // namespace

Panel::Panel(Trace &trace, const std::vector<std::string> &variables, bool only_these)
    : trace_(trace), aircraft_(host_, trace, variables, only_these), sound_(trace) {
    panel_host::GaugeFile::load_from_copies(&copies_);
    host_.record_calls = false;  // the bench traces what the calls do, not the calls
}

Panel::~Panel() {
    finish();
    panel_host::GaugeFile::load_from_copies(nullptr);
}

void Panel::warn_of_placement(const PanelLayout &layout, Diagnostics &found) {
    const std::vector<PlacedGauge> &gauges = layout.gauges;
    for (size_t i = 0; i < gauges.size(); ++i) {
        const PlacedGauge &gauge = gauges[i];
        if (!gauge.runs() || gauge.zero_box())
            continue;
        const PanelWindow &window = layout.windows[gauge.window];
        const Box whole{0, 0, window.width, window.height};
        const Box &box = gauge.box;
        const std::string extent = "the gauge (" + describe_place(gauge) + ")";
        const std::string size = std::to_string(window.width) + " x " + std::to_string(window.height) +
                                 " pixel window " + window.name();
        if (!box.overlaps(whole))
            found.warning(gauge.where, extent + " lies outside the " + size);
        else if (box.left < 0 || box.top < 0 || box.right() > whole.right() || box.bottom() > whole.bottom())
            found.warning(gauge.where, extent + " reaches past the " + size + "'s edge");
        for (size_t j = 0; j < i; ++j) {
            const PlacedGauge &other = gauges[j];
            if (other.runs() && !other.zero_box() && other.window == gauge.window && box.overlaps(other.box))
                found.warning(gauge.where, extent + " overlaps " + other.line.key + " (" + other.label +
                                               "), which it covers");
        }
    }
}

void Panel::watch(const PlacedGauge &gauge) {
    const HMODULE module = gauge.file->module();
    sound_.watch(module, gauge.line.file);
    const std::string who = gauge.line.file + ": debug: ";
    debug_.watch(module, [this, who](const std::string &text) { trace_.line(who + text); });
    const std::string boxed = gauge.line.file + ": message box \"";
    message_boxes_.watch(module, [this, boxed](const std::string &caption, const std::string &text) {
        trace_.line(boxed + caption + "\": " + text + " (answered OK)");
    });
    SoundRecorder *recorder = SoundRecorder::of_module(module);
    if (sound_clock_ != nullptr && recorder != nullptr) {
        std::shared_ptr<SoundClock> clock = sound_clock_;
        recorder->device_source = [clock, module](LPCGUID id, IDirectSound **out, IUnknown *outer) {
            return clock->create_device(module, id, out, outer);
        };
    }
}

bool Panel::load(const PanelConfig &config, Diagnostics &found) {
    PanelLayout layout;
    if (!lay_out(config, found, layout))
        return false;
    take(std::move(layout));
    return true;
}

bool Panel::lay_out(const PanelConfig &config, Diagnostics &found, PanelLayout &layout) const {
    std::vector<PanelWindow> &windows = layout.windows;
    std::vector<PlacedGauge> &gauges = layout.gauges;
    for (const WindowConfig &window : config.windows)
        windows.push_back(open_window(config, window, found));
    GaugeFiles files;
    for (size_t index = 0; index < windows.size(); ++index)
        for (const GaugeLine &line : windows[index].config.gauges) {
            PlacedGauge gauge = place_gauge(config, windows[index], static_cast<int>(index), line, files, gauges);
            if (gauge.runs())
                check_records(gauge, layout.notes);
            if (!gauge.runs())
                found.warning(gauge.where, gauge.not_run + "; the bench shows a placeholder there");
            gauges.push_back(std::move(gauge));
        }
    for (size_t index = 0; index < windows.size(); ++index)
        size_window(windows[index], config.path, window_contents(gauges, static_cast<int>(index), windows[index].scale),
                    found);
    if (found.has_errors()) {
        layout = PanelLayout();
        return false;
    }
    warn_of_placement(layout, found);
    return true;
}

void Panel::take(PanelLayout layout) {
    stop();
    // The host's records of the gauges just unloaded go with them; their
    // successors install afresh.
    host_.forget_gauges();
    stopped_.clear();
    windows_ = std::move(layout.windows);
    gauges_ = std::move(layout.gauges);
    notes_ = std::move(layout.notes);
    // Each gauge file's sound and debug output are watched once, under the name of its file.
    std::vector<HMODULE> watched;
    for (const PlacedGauge &gauge : gauges_)
        if (gauge.runs() && std::find(watched.begin(), watched.end(), gauge.file->module()) == watched.end()) {
            watched.push_back(gauge.file->module());
            watch(gauge);
        }
}

void Panel::use_clock_sound() { sound_clock_ = std::make_shared<SoundClock>(); }

bool Panel::record_sound_track(const std::string &path, std::string &error) {
    if (sound_clock_ == nullptr) {
        error = "--audio needs the bench's own sound device (not with --window or --real-sound)";
        return false;
    }
    return sound_track_.open(path, error);
}

void Panel::start() {
    for (PlacedGauge &gauge : gauges_)
        if (gauge.runs())
            gauge.file->connect(host_.services());
    if (call_limit_ > 0)
        watchdog_ = std::make_unique<panel_host::CallWatchdog>(
            call_limit_, [this](const panel_host::CallStop &stop) { end_hung_run(stop); });
    call_linkage(true);
    for (PlacedGauge &gauge : gauges_) {
        if (!gauge.runs())
            continue;
        trace_.line(gauge.label + ": install \"" + (gauge.header->name ? gauge.header->name : "") + "\"" +
                    (gauge.in_gauges ? " from " + gauge.file_name : "") + " at " +
                    gauge.place + ", " + describe_place(gauge) +
                    (gauge.line.parameter.empty() ? "" : "; parameter \"" + gauge.line.parameter + "\""));
        host_.install_error.clear();
        if (!call(gauge, "install", call_code(gauge.header->install), {call_word(gauge.file->module())}))
            continue;
        if (!host_.install_error.empty())
            trace_.line(gauge.label + ": " + host_.install_error);
        if (!call(gauge, "initialize", call_code(gauge.header->initialize)))
            continue;
        const std::vector<std::string> unprovided = aircraft_.take_unprovided();
        if (!unprovided.empty()) {
            std::string names;
            for (const std::string &name : unprovided)
                names += " " + name;
            trace_.warning(gauge.label + " binds " + std::to_string(unprovided.size()) +
                           " panel variable(s) the bench does not provide (not in --variables):" +
                           names);
        }
        call(gauge, "query", call_code(gauge.header->query));
        sound_.flush();
    }
    started_ = true;
}

void Panel::cycle() {
    if (sound_track_.is_open())  // the tick that ends now, with every play and stop made in it
        sound_track_.append_tick(sound_clock_->buffers(), sound_clock_->tick);
    aircraft_.tick();
    if (sound_clock_ != nullptr)
        sound_clock_->tick = aircraft_.ticks();
    for (PlacedGauge &gauge : gauges_)
        if (gauge.runs())
            call(gauge, "update", call_code(gauge.header->update));
    for (PlacedGauge &gauge : gauges_)
        if (gauge.runs())
            call(gauge, "generate", call_code(gauge.header->generate), {0});
    for (PlacedGauge &gauge : gauges_)
        if (gauge.runs())
            call(gauge, "draw", call_code(gauge.header->draw));
    host_.calls.clear();
    aircraft_.trace_changes();
    trace_icons();
    sound_.flush();
    if (cycled)
        cycled();
}

void Panel::stop() {
    if (started_) {
        for (PlacedGauge &gauge : gauges_) {
            if (!gauge.runs())
                continue;
            if (call(gauge, "kill", call_code(gauge.header->kill)))
                trace_.line(gauge.label + ": killed");
        }
        call_linkage(false);
        sound_.check_released();
        watchdog_.reset();
        started_ = false;
    }
    sound_.clear();  // before the files unload: they undo the patch of their imports
    debug_.clear();
    message_boxes_.clear();
    gauges_.clear();  // the last reference to each file unloads it
    windows_.clear();
}

void Panel::finish() {
    stop();
    std::string error;
    if (!sound_track_.close(error))
        fprintf(stderr, "bench: %s\n", error.c_str());
}

void Panel::trace_icons() {
    for (PlacedGauge &gauge : gauges_) {
        if (!gauge.runs())
            continue;
        std::string shown, hidden;
        // The gauge's records are read under the guard: they are the gauge file's.
        std::function<void()> walk = [&] {
            panel_host::for_each_element(gauge.head(), [&](ElementRecord *element) {
                if (element->kind != ELEMENT_ICON)
                    return;
                const bool now = host_.shown(element);
                auto seen = gauge.icons_shown.find(element);
                if (seen != gauge.icons_shown.end() && seen->second == now)
                    return;
                gauge.icons_shown[element] = now;
                (now ? shown : hidden) += " " + panel_host::bitmap_number(element->image);
            });
        };
        panel_host::CallResult result =
            panel_host::call_guarded("the walk of its element tree", call_code(&run_walk), {call_word(&walk)});
        if (!result.returned) {
            stop_gauge(gauge, result.stop);
            continue;
        }
        if (!shown.empty())
            trace_.line(gauge.label + ": show icon" + shown);
        if (!hidden.empty())
            trace_.line(gauge.label + ": hide icon" + hidden);
    }
}

bool Panel::click(int window, int x, int y) {
    const Scale &scale = windows_[window].scale;
    return click_pixel(window, to_pixels(scale, x), to_pixels(scale, y));
}

bool Panel::click_pixel(int window, int x, int y) {
    const PanelWindow &panel_window = windows_[window];
    std::string where = "(" + format_value(to_units(panel_window.scale, x)) + ", " +
                        format_value(to_units(panel_window.scale, y)) + ")";
    if (windows_.size() > 1 || panel_window.scale.pixels != panel_window.scale.units)
        where += " of window " + window_number(panel_window.config.number) + ", pixel (" + std::to_string(x) +
                 ", " + std::to_string(y) + ")";
    for (auto gauge = gauges_.rbegin(); gauge != gauges_.rend(); ++gauge) {
        if (!gauge->runs() || gauge->window != window || !gauge->box.holds(x, y))
            continue;
        const Box &box = gauge->box;
        const int local_x = static_cast<int>(static_cast<long long>(x - box.left) * gauge->bitmap_width / box.width);
        const int local_y = static_cast<int>(static_cast<long long>(y - box.top) * gauge->bitmap_height / box.height);
        if (host_.region_at(gauge->header, local_x, local_y) == nullptr)
            continue;
        trace_.line("click " + where + ": " + gauge->label + " at (" + std::to_string(local_x) + ", " +
                    std::to_string(local_y) + ")");
        host_.stopped.reset();
        std::optional<int32_t> result = host_.click(gauge->header, local_x, local_y);
        if (host_.stopped)
            stop_gauge(*gauge, *host_.stopped);
        else
            trace_.line("  handler returned " + std::to_string(result.value_or(0)));
        aircraft_.trace_changes();
        sound_.flush();
        return true;
    }
    trace_.line("click " + where + ": no gauge region there");
    return false;
}

bool Panel::click_point(const PlacedGauge &gauge, int &x, int &y) const {
    if (!gauge.runs() || gauge.zero_box())
        return false;
    for (const panel_host::MouseRegistration &registration : host_.mouse_registrations()) {
        if (registration.gauge != gauge.header)
            continue;
        const int count = registration.list == nullptr ? 0 : panel_host::mouse_region_count(registration.list);
        for (const MouseRegion *region = registration.list; region < registration.list + count; ++region) {
            if (region->kind != MOUSE_CHILD || region->handler == nullptr)
                continue;
            const Box &box = gauge.box;
            x = box.left + static_cast<int>(static_cast<long long>(region->x + region->width / 2) * box.width /
                                            gauge.bitmap_width);
            y = box.top + static_cast<int>(static_cast<long long>(region->y + region->height / 2) * box.height /
                                           gauge.bitmap_height);
            return true;
        }
    }
    return false;
}

int Panel::find_window(const std::string &word) const {
    if (windows_.empty())
        return -1;
    int number = word.empty() ? 0 : -1;
    if (word.size() <= 2 && !word.empty() && word.find_first_not_of("0123456789") == std::string::npos)
        number = std::stoi(word);
    for (size_t index = 0; index < windows_.size(); ++index)
        if (windows_[index].config.number == number)
            return static_cast<int>(index);
    if (word.empty())
        return 0;
    for (size_t index = 0; index < windows_.size(); ++index)
        if (!windows_[index].config.ident.empty() && lower(windows_[index].config.ident) == lower(word))
            return static_cast<int>(index);
    return -1;
}

PlacedGauge *Panel::find(const std::string &name) {
    const std::string wanted = lower(name);
    const size_t colon = name.find(':');
    if (colon != std::string::npos) {
        const int window = find_window(name.substr(0, colon));
        const std::string key = lower(name.substr(colon + 1));
        for (PlacedGauge &gauge : gauges_)
            if (window >= 0 && gauge.window == window && lower(gauge.line.key) == key)
                return &gauge;
        return nullptr;
    }
    for (bool running : {true, false})
        for (PlacedGauge &gauge : gauges_)
            if (gauge.runs() == running &&
                (lower(gauge.label) == wanted || lower(gauge.line.file) == wanted ||
                 lower(gauge.line.file_path) == wanted ||
                 (gauge.header != nullptr && gauge.header->name != nullptr && lower(gauge.header->name) == wanted)))
                return &gauge;
    return nullptr;
}

panel_host::Picture Panel::compose(int window) const {
    const PanelWindow &panel_window = windows_[window];
    panel_host::Picture picture;
    picture.resize(panel_window.width, panel_window.height, panel_window.fill);
    const panel_host::Picture &background = panel_window.background;
    if (!background.pixels.empty())
        panel_host::draw_picture_box(picture, background, 0, 0, background.width, background.height);
    for (const PlacedGauge &gauge : gauges_) {
        if (gauge.window != window)
            continue;
        const Box &box = gauge.box;
        if (!gauge.runs()) {
            const Scale &scale = panel_window.scale;
            auto stopped = stopped_.find(&gauge);
            const std::string &label = stopped == stopped_.end() ? gauge.label : stopped->second;
            if (box.width > 0)
                draw_placeholder(picture, box.left, box.top, box.width, box.height, label);
            else
                draw_placeholder(picture, to_pixels(scale, gauge.line.x), to_pixels(scale, gauge.line.y), 0, 0,
                                 label);
            continue;
        }
        const panel_host::Picture *drawn = host_.picture(gauge.head());
        if (drawn != nullptr)
            panel_host::draw_picture_box(picture, *drawn, box.left, box.top, box.width, box.height);
    }
    return picture;
}

}  // namespace bench
