#include "scenario.h"

#include <algorithm>
#include <memory>

#include "png_file.h"
#include "progress.h"
#include "sound_commands.h"
#include "zoom.h"

namespace bench {

namespace {

const std::string &gauge_word(const Command &command) { return command.words[0]; }

std::vector<std::string> sound_fault_words(const Command &command) {
    std::vector<std::string> words{command.name};
    words.insert(words.end(), command.words.begin(), command.words.end());
    return words;
}

}  // namespace

// Every command of COMMANDS and the member that runs it.
const std::vector<Scenario::CommandRunner> Scenario::RUNNERS = {
    {"click", &Scenario::click},
    {"mouse", &Scenario::mouse},
    {"key", &Scenario::key},
    {"zoom", &Scenario::zoom},
    {"run", &Scenario::run},
    {"set", &Scenario::set},
    {"expect", &Scenario::expect},
    {"expect-event", &Scenario::expect_event},
    {"expect-no-event", &Scenario::expect_event},
    {"expect-sound", &Scenario::expect_sound},
    {"expect-no-sound", &Scenario::expect_sound},
    {"expect-shown", &Scenario::expect_shown},
    {"expect-hidden", &Scenario::expect_shown},
    {"snapshot", &Scenario::snapshot},
    {"window-snapshot", &Scenario::snapshot},
    {"expect-window-as-panel", &Scenario::expect_window_as_panel},
    {"note", &Scenario::note},
    {"quit", &Scenario::quit},
    {"reload", &Scenario::reload},
    {"lose-sound", &Scenario::sound_fault},
    {"fail-sound", &Scenario::sound_fault},
};

Scenario::Scenario(Panel &panel, Trace &trace, const std::string &output_folder,
                   const std::string &start_folder)
    : panel_(panel), trace_(trace), output_folder_(output_folder), start_folder_(start_folder) {}

void Scenario::set_commands(const std::string &path, std::vector<Command> commands) {
    path_ = path;
    commands_ = std::move(commands);
    next_ = 0;
}

std::string Scenario::where(const Command &command) const {
    return path_ + ":" + std::to_string(command.line);
}

PlacedGauge *Scenario::running_gauge(const std::string &name, std::string &why) const {
    PlacedGauge *gauge = panel_.find(name);
    if (gauge == nullptr)
        why = "no gauge \"" + name + "\" on the panel";
    else if (!gauge->runs())
        why = "\"" + name + "\" (" + gauge->place + ") is a gauge the bench does not run: " + gauge->not_run;
    return gauge != nullptr && gauge->runs() ? gauge : nullptr;
}

int Scenario::command_window(const Command &command) const {
    return panel_.find_window(argument_word(command, "WINDOW"));
}

void Scenario::check_against_panel(Diagnostics &found, bool window) const {
    Panel &panel = panel_;
    for (const Command &command : commands_) {
        const bool needs_window = command.name == "mouse" || command.name == "key" || command.name == "zoom" ||
                                  command.name == "window-snapshot" || command.name == "expect-window-as-panel";
        if (needs_window && !window)
            found.error(where(command), command.name + " needs the window (--window)");
        const int window_index = command_window(command);
        if (window_index < 0) {
            found.error(where(command), "no window \"" + argument_word(command, "WINDOW") +
                                            "\" on the panel (a window's number, such as 02, or its ident)");
            continue;
        }
        const bool point = (command.name == "click" && command.form < 2) || command.name == "mouse";
        if (point) {
            const PanelWindow &shown = panel.windows()[window_index];
            const int x = static_cast<int>(command.numbers[0]), y = static_cast<int>(command.numbers[1]);
            const int pixel_x = to_pixels(shown.scale, x), pixel_y = to_pixels(shown.scale, y);
            if (pixel_x < 0 || pixel_y < 0 || pixel_x >= shown.width || pixel_y >= shown.height)
                found.warning(where(command), "(" + std::to_string(x) + ", " + std::to_string(y) +
                                                  ") lies outside the " + std::to_string(shown.width) + " x " +
                                                  std::to_string(shown.height) + " pixel window " + shown.name() +
                                                  " (" + describe(shown.scale) + ")");
            continue;
        }
        const bool fault = command.name == "lose-sound" || command.name == "fail-sound";
        if (fault) {
            const std::string mistake = sound_fault_mistake(panel, sound_fault_words(command));
            if (!mistake.empty())
                found.error(where(command), mistake);
            continue;
        }
        const bool names_gauge = command.name == "click" || command.name == "expect-sound" ||
                                 command.name == "expect-no-sound" || command.name == "expect-shown" ||
                                 command.name == "expect-hidden";
        if (!names_gauge)
            continue;
        std::string why;
        const PlacedGauge *gauge = running_gauge(gauge_word(command), why);
        if (gauge == nullptr) {
            found.error(where(command), why);
            continue;
        }
        if (command.name == "click" && gauge->zero_box())
            found.error(where(command), "\"" + gauge_word(command) + "\" (" + gauge->place +
                                            ") has a zero box: it has no click region");
        if (command.name.find("sound") != std::string::npos && !panel.sound().watches(gauge->file->module()))
            found.error(where(command), gauge_word(command) +
                                            "'s gauge file imports no DirectSoundCreate to watch");
        if (command.name == "expect-shown" || command.name == "expect-hidden") {
            bool known = false;
            panel_host::for_each_element(gauge->head(), [&](ElementRecord *element) {
                known = known || element->image == static_cast<uint32_t>(command.numbers[1]);
            });
            if (!known)
                found.error(where(command), "gauge \"" + gauge_word(command) +
                                                "\" has no element with bitmap " + command.words[1]);
        }
    }
}

void Scenario::check_variables(Diagnostics &found) const {
    for (const Command &command : commands_) {
        double value = 0;
        if ((command.name == "set" || command.name == "expect") &&
            !panel_.aircraft().read(command.words[0], value))
            found.error(where(command), "no variable \"" + command.words[0] +
                                            "\" (a token number, or a panel variable a gauge binds)");
    }
}

Scenario::Status Scenario::step() {
    if (!variables_checked_) {
        variables_checked_ = true;
        Diagnostics found;
        check_variables(found);
        if (found.has_errors()) {
            for (const Diagnostic &item : found.items())
                error_ += (error_.empty() ? "" : "\n") + format(item);
            return Status::Failed;
        }
    }
    while (waiting_ == 0 && !quit_ && next_ < commands_.size()) {
        const Command &command = commands_[next_++];
        auto runner = std::find_if(RUNNERS.begin(), RUNNERS.end(), [&](const CommandRunner &entry) {
            return command.name == entry.name;
        });
        if (runner == RUNNERS.end()) {
            fail("the bench cannot run \"" + command.name + "\"");
            return Status::Failed;
        }
        if (!(this->*(runner->run))(command))
            return Status::Failed;
    }
    if (quit_)
        return Status::Quit;
    return waiting_ > 0 ? Status::Running : Status::Done;
}

bool Scenario::fail(const std::string &what) {
    error_ = (next_ > 0 ? where(commands_[next_ - 1]) : path_) + ": " + what;
    return false;
}

std::string Scenario::output_path(const std::string &name) const {
    const bool absolute = (name.size() > 1 && name[1] == ':') || name[0] == '\\' || name[0] == '/';
    if (absolute)
        return name;
    return (output_folder_.empty() ? start_folder_ : output_folder_) + "\\" + name;
}

bool Scenario::gauge_icon(const std::string &gauge_name, const std::string &icon, bool &shown) {
    std::string why;
    PlacedGauge *gauge = running_gauge(gauge_name, why);
    if (gauge == nullptr)
        return fail(why);
    const uint32_t image = static_cast<uint32_t>(commands_[next_ - 1].numbers[1]);
    bool found = false;
    panel_host::for_each_element(gauge->head(), [&](ElementRecord *element) {
        if (!found && element->image == image) {
            found = true;
            shown = panel_.host().shown(element);
        }
    });
    return found || fail("gauge \"" + gauge_name + "\" has no element with bitmap " + icon);
}

bool Scenario::click(const Command &command) {
    int window = command_window(command), x = 0, y = 0;
    bool clicked = false;
    if (command.form < 2) {
        x = static_cast<int>(command.numbers[0]);
        y = static_cast<int>(command.numbers[1]);
        clicked = panel_.click(window, x, y);
    } else {
        std::string why;
        PlacedGauge *gauge = running_gauge(gauge_word(command), why);
        if (gauge == nullptr)
            return fail(why);
        if (!panel_.click_point(*gauge, x, y))
            return fail("gauge \"" + gauge_word(command) + "\" has no registered click region");
        window = gauge->window;
        clicked = panel_.click_pixel(window, x, y);
    }
    if (!clicked)
        trace_.warning(where(command) + ": the click at (" + std::to_string(x) + ", " + std::to_string(y) +
                       ")" + (command.form < 2 ? "" : " (pixels)") + " meets no gauge's click region");
    return true;
}

bool Scenario::mouse(const Command &command) {
    std::string why = "mouse needs the window (--window)";
    return (mouse_click && mouse_click(command_window(command), static_cast<int>(command.numbers[0]),
                                       static_cast<int>(command.numbers[1]), why)) ||
           fail(why);
}

bool Scenario::key(const Command &command) {
    std::string why = "key needs the window (--window)";
    return (press_key && press_key(lower(command.words[0]), why)) || fail(why);
}

bool Scenario::zoom(const Command &command) {
    std::string why = "zoom needs the window (--window)";
    return (set_zoom && set_zoom(static_cast<int>(command.numbers[0]), why)) || fail(why);
}

bool Scenario::run(const Command &command) {
    waiting_ = static_cast<long>(command.numbers[0]);
    return true;
}

bool Scenario::set(const Command &command) {
    const double value = command.numbers[1];
    if (!panel_.aircraft().write(command.words[0], value))
        return fail("no variable \"" + command.words[0] + "\" (a token number or a panel variable)");
    trace_.line("set " + command.words[0] + " " + format_value(value));
    panel_.aircraft().trace_changes();
    return true;
}

bool Scenario::expect(const Command &command) {
    const std::string &name = command.words[0];
    const double value = command.numbers[1];
    double found = 0;
    if (!panel_.aircraft().read(name, found))
        return fail("no variable \"" + name + "\" (a token number or a panel variable)");
    if (found != value)
        return fail("expected " + name + " " + format_value(value) + ", found " + format_value(found));
    return true;
}

bool Scenario::expect_event(const Command &command) {
    const std::string &name = command.words[0];
    uint32_t id = 0;
    if (!Aircraft::event_id(name, id))
        id = static_cast<uint32_t>(command.numbers[0]);
    const std::vector<SentEvent> &events = panel_.aircraft().events();
    size_t match = events_checked_;
    while (match < events.size() && events[match].id != id)
        ++match;
    if (command.name == "expect-no-event")
        return match == events.size() ||
               fail("expected no " + name + " event, found one sent at tick " +
                    std::to_string(events[match].tick));
    if (match == events.size())
        return fail("expected a " + name + " event, found " +
                    (events.size() == events_checked_ ? std::string("no event sent")
                                                      : std::string("none of that kind")) +
                    " since the last expect-event");
    events_checked_ = match + 1;
    return true;
}

bool Scenario::expect_sound(const Command &command) {
    const bool wanted = command.name == "expect-sound";
    const std::string &name = gauge_word(command);
    std::string why;
    PlacedGauge *gauge = running_gauge(name, why);
    if (gauge == nullptr)
        return fail(why);
    SoundTrace &sound = panel_.sound();
    const HMODULE module = gauge->file->module();
    if (!sound.watches(module))
        return fail(name + "'s gauge file imports no DirectSoundCreate to watch");
    const std::vector<SoundPlay> since = sound.unmatched_plays(module);
    if (!wanted)
        return since.empty() ||
               fail("expected no sound from " + name + ", found buffer " +
                    std::to_string(since[0].buffer) + " (" + std::to_string(since[0].bytes) +
                    " bytes) played at tick " + std::to_string(since[0].tick));
    if (sound.match_play(module, static_cast<DWORD>(command.numbers[1])) != nullptr)
        return true;
    std::string found;
    for (const SoundPlay &play : since)
        found += (found.empty() ? "" : ", ") + std::to_string(play.bytes);
    return fail("expected " + name + " to play a buffer of " + command.words[1] + " bytes, found " +
                (found.empty() ? std::string("no buffer played") : "plays of " + found + " bytes only") +
                " since the last expect-sound");
}

bool Scenario::expect_shown(const Command &command) {
    bool shown = false;
    if (!gauge_icon(gauge_word(command), command.words[1], shown))
        return false;
    const bool wanted = command.name == "expect-shown";
    return shown == wanted || fail("expected " + gauge_word(command) + " " + command.words[1] + " " +
                                   (wanted ? "shown" : "hidden") + ", found it " +
                                   (shown ? "shown" : "hidden"));
}

bool Scenario::snapshot(const Command &command) {
    const std::string path = output_path(command.words[0]);
    const int window = command_window(command);
    std::string why = command.name + " needs the window (--window)";
    panel_host::Picture picture;
    if (command.name == "snapshot")
        picture = panel_.compose(window);
    else if (!window_picture || !window_picture(window, picture, why))
        return fail(why);
    if (!write_png(picture, path, why))
        return fail(why);
    const std::string named = argument_word(command, "WINDOW");
    trace_.line(command.name + " " + command.words[0] + (named.empty() ? "" : " of window " + named));
    return true;
}

bool Scenario::expect_window_as_panel(const Command &command) {
    const int window = command_window(command);
    std::string why = command.name + " needs the window (--window)";
    panel_host::Picture shown;
    if (!window_picture || !window_picture(window, shown, why))
        return fail(why);
    // The panel's picture as the window's zoom scales it.
    int width = 0, height = 0;
    shown_size(window, width, height);
    const panel_host::Picture panel = zoom_picture(panel_.compose(window), width, height);
    if (shown.width != panel.width || shown.height != panel.height)
        return fail("expected the window " + std::to_string(panel.width) + " x " +
                    std::to_string(panel.height) + ", found " + std::to_string(shown.width) +
                    " x " + std::to_string(shown.height));
    size_t differing = 0;
    for (size_t i = 0; i < panel.pixels.size(); ++i)
        differing += (shown.pixels[i] & 0xFFFFFF) != (panel.pixels[i] & 0xFFFFFF);
    return differing == 0 || fail("expected the window to show the panel, found " +
                                  std::to_string(differing) + " pixels differing");
}

bool Scenario::note(const Command &command) {
    trace_.line("== " + command.words[0]);
    return true;
}

bool Scenario::quit(const Command &) {
    quit_ = true;
    return true;
}

bool Scenario::reload(const Command &command) {
    if (!reload_panel)
        return fail("the bench cannot reload here");
    reload_panel(where(command));
    return true;
}

bool Scenario::sound_fault(const Command &command) {
    std::string why;
    run_sound_fault(panel_, trace_, sound_fault_words(command), why);
    return why.empty() || fail(why);
}

int run_headless(Scenario &scenario, Panel &panel, Trace &trace) {
    std::unique_ptr<Progress> progress;
    if (error_stream_is_terminal())
        progress = std::make_unique<Progress>(scenario.total_ticks(), progress_after_ms(), GetTickCount64,
                                              [&trace](const std::string &text) { trace.status(text); });
    for (;;) {
        Scenario::Status status = scenario.step();
        if (status != Scenario::Status::Running && progress != nullptr)
            progress->finish();
        if (status == Scenario::Status::Failed) {
            fprintf(stderr, "%s\n", scenario.error().c_str());
            return 1;
        }
        if (status != Scenario::Status::Running)
            return 0;
        while (scenario.waiting() > 0) {
            panel.cycle();
            scenario.waited();
            if (progress != nullptr)
                progress->ticked();
        }
    }
}

}  // namespace bench
