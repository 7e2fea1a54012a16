#include "scenario.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "png_file.h"
#include "sound_commands.h"

namespace bench {

namespace {

bool number(const std::string &text, double &value) {
    if (text.empty())
        return false;
    char *end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == 0;
}

bool whole(const std::string &text, long &value) {
    if (text.empty())
        return false;
    char *end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return *end == 0;
}

}  // namespace

Scenario::Scenario(Panel &panel, Trace &trace, const std::string &output_folder)
    : panel_(panel), trace_(trace), output_folder_(output_folder) {}

bool Scenario::load(const std::string &path, std::string &error) {
    std::ifstream file(path);
    if (!file) {
        error = path + ": no such scenario script";
        return false;
    }
    path_ = path;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
    }
    return true;
}

Scenario::Status Scenario::step() {
    while (waiting_ == 0 && !quit_ && next_ < lines_.size()) {
        const std::string &line = lines_[next_++];
        std::istringstream words_in(line);
        std::vector<std::string> words;
        for (std::string word; words_in >> word;)
            words.push_back(word);
        if (words.empty() || words[0][0] == '#')
            continue;
        // What follows the command word, for commands that take a name with spaces.
        size_t at = line.find(words[0]) + words[0].size();
        size_t begin = line.find_first_not_of(" \t", at);
        std::string rest = begin == std::string::npos ? "" : line.substr(begin);
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t'))
            rest.pop_back();
        if (!execute(words, rest))
            return Status::Failed;
    }
    if (quit_)
        return Status::Quit;
    return waiting_ > 0 ? Status::Running : Status::Done;
}

bool Scenario::fail(const std::string &what) {
    error_ = path_ + ":" + std::to_string(next_) + ": " + what;
    return false;
}

std::string Scenario::output_path(const std::string &name) const {
    const bool absolute = (name.size() > 1 && name[1] == ':') || name[0] == '\\' || name[0] == '/';
    return absolute || output_folder_.empty() ? name : output_folder_ + "\\" + name;
}

bool Scenario::gauge_icon(const std::string &gauge_name, const std::string &icon, bool &shown) {
    PlacedGauge *gauge = panel_.find(gauge_name);
    if (gauge == nullptr)
        return fail("no gauge \"" + gauge_name + "\" on the panel");
    long image = 0;
    if (!whole(icon, image))
        return fail("\"" + icon + "\" is no bitmap number (e.g. 0x2000)");
    bool found = false;
    panel_host::for_each_element(gauge->head(), [&](ElementRecord *element) {
        if (!found && element->image == static_cast<uint32_t>(image)) {
            found = true;
            shown = panel_.host().shown(element);
        }
    });
    return found || fail("gauge \"" + gauge_name + "\" has no element with bitmap " + icon);
}

bool Scenario::execute(const std::vector<std::string> &words, const std::string &rest) {
    const std::string &command = words[0];
    const size_t count = words.size() - 1;
    if (command == "click" || command == "mouse") {
        long x = 0, y = 0;
        if (count == 2 && whole(words[1], x) && whole(words[2], y)) {
        } else if (command == "click" && count >= 1) {
            PlacedGauge *gauge = panel_.find(rest);
            if (gauge == nullptr)
                return fail("no gauge \"" + rest + "\" on the panel");
            int gx = 0, gy = 0;
            if (!panel_.click_point(*gauge, gx, gy))
                return fail("gauge \"" + rest + "\" has no registered click region");
            x = gx;
            y = gy;
        } else {
            return fail("usage: " + command + (command == "click" ? " GAUGE | click X Y" : " X Y"));
        }
        if (command == "click") {
            panel_.click(static_cast<int>(x), static_cast<int>(y));
            return true;
        }
        std::string why = "mouse needs the window (--window)";
        return (mouse_click && mouse_click(static_cast<int>(x), static_cast<int>(y), why)) ||
               fail(why);
    }
    if (command == "run") {
        long ticks = 0;
        if (count != 1 || !whole(words[1], ticks) || ticks < 0)
            return fail("usage: run TICKS (a whole number, 18 ticks a second)");
        waiting_ = static_cast<int>(ticks);
        return true;
    }
    if (command == "set" || command == "expect") {
        double value = 0;
        if (count != 2 || !number(words[2], value))
            return fail("usage: " + command + " VARIABLE VALUE");
        if (command == "set") {
            if (!panel_.aircraft().write(words[1], value))
                return fail("no variable \"" + words[1] + "\" (a token number or a panel variable)");
            trace_.line("set " + words[1] + " " + format_value(value));
            panel_.aircraft().trace_changes();
            return true;
        }
        double found = 0;
        if (!panel_.aircraft().read(words[1], found))
            return fail("no variable \"" + words[1] + "\" (a token number or a panel variable)");
        if (found != value)
            return fail("expected " + words[1] + " " + format_value(value) + ", found " +
                        format_value(found));
        return true;
    }
    if (command == "expect-event" || command == "expect-no-event") {
        uint32_t id = 0;
        if (count != 1 || !Aircraft::event_id(words[1], id))
            return fail("usage: " + command + " start|stop|NUMBER");
        const std::vector<SentEvent> &events = panel_.aircraft().events();
        size_t match = events_checked_;
        while (match < events.size() && events[match].id != id)
            ++match;
        if (command == "expect-no-event")
            return match == events.size() ||
                   fail("expected no " + words[1] + " event, found one sent at tick " +
                        std::to_string(events[match].tick));
        if (match == events.size())
            return fail("expected a " + words[1] + " event, found " +
                        (events.size() == events_checked_ ? std::string("no event sent")
                                                          : std::string("none of that kind")) +
                        " since the last expect-event");
        events_checked_ = match + 1;
        return true;
    }
    if (command == "expect-sound" || command == "expect-no-sound") {
        const bool wanted = command == "expect-sound";
        long bytes = 0;
        if (count != (wanted ? 2u : 1u) || (wanted && (!whole(words[2], bytes) || bytes <= 0)))
            return fail("usage: " + command + (wanted ? " GAUGE BYTES" : " GAUGE"));
        PlacedGauge *gauge = panel_.find(words[1]);
        if (gauge == nullptr)
            return fail("no gauge \"" + words[1] + "\" on the panel");
        SoundTrace &sound = panel_.sound();
        const HMODULE module = gauge->file->module();
        if (!sound.watches(module))
            return fail(words[1] + "'s gauge file imports no DirectSoundCreate to watch");
        const std::vector<SoundPlay> since = sound.unmatched_plays(module);
        if (!wanted)
            return since.empty() ||
                   fail("expected no sound from " + words[1] + ", found buffer " +
                        std::to_string(since[0].buffer) + " (" + std::to_string(since[0].bytes) +
                        " bytes) played at tick " + std::to_string(since[0].tick));
        if (sound.match_play(module, static_cast<DWORD>(bytes)) != nullptr)
            return true;
        std::string found;
        for (const SoundPlay &play : since)
            found += (found.empty() ? "" : ", ") + std::to_string(play.bytes);
        return fail("expected " + words[1] + " to play a buffer of " + words[2] + " bytes, found " +
                    (found.empty() ? std::string("no buffer played")
                                   : "plays of " + found + " bytes only") +
                    " since the last expect-sound");
    }
    if (command == "expect-shown" || command == "expect-hidden") {
        bool shown = false;
        if (count != 2)
            return fail("usage: " + command + " GAUGE BITMAP");
        if (!gauge_icon(words[1], words[2], shown))
            return false;
        const bool wanted = command == "expect-shown";
        return shown == wanted || fail("expected " + words[1] + " " + words[2] + " " +
                                       (wanted ? "shown" : "hidden") + ", found it " +
                                       (shown ? "shown" : "hidden"));
    }
    if (command == "snapshot" || command == "window-snapshot") {
        if (count != 1)
            return fail("usage: " + command + " FILE.png");
        const std::string path = output_path(words[1]);
        std::string why = command + " needs the window (--window)";
        panel_host::Picture picture;
        if (command == "snapshot")
            picture = panel_.compose();
        else if (!window_picture || !window_picture(picture, why))
            return fail(why);
        if (!write_png(picture, path, why))
            return fail(why);
        trace_.line(command + " " + path);
        return true;
    }
    if (command == "expect-window-as-panel") {
        std::string why = command + " needs the window (--window)";
        panel_host::Picture window;
        if (count != 0 || !window_picture || !window_picture(window, why))
            return fail(count != 0 ? "usage: " + command : why);
        panel_host::Picture panel = panel_.compose();
        if (window.width != panel.width || window.height != panel.height)
            return fail("expected the window " + std::to_string(panel.width) + " x " +
                        std::to_string(panel.height) + ", found " + std::to_string(window.width) +
                        " x " + std::to_string(window.height));
        size_t differing = 0;
        for (size_t i = 0; i < panel.pixels.size(); ++i)
            differing += (window.pixels[i] & 0xFFFFFF) != (panel.pixels[i] & 0xFFFFFF);
        return differing == 0 || fail("expected the window to show the panel, found " +
                                      std::to_string(differing) + " pixels differing");
    }
    if (command == "note") {
        trace_.line("== " + rest);
        return true;
    }
    if (command == "quit") {
        quit_ = true;
        return true;
    }
    std::string why;
    if (sound_fault_command(panel_, trace_, words, why))
        return why.empty() || fail(why);
    return fail("unknown command \"" + command + "\"");
}

int run_headless(Scenario &scenario, Panel &panel) {
    for (;;) {
        Scenario::Status status = scenario.step();
        if (status == Scenario::Status::Failed) {
            fprintf(stderr, "%s\n", scenario.error().c_str());
            return 1;
        }
        if (status != Scenario::Status::Running)
            return 0;
        while (scenario.waiting() > 0) {
            panel.cycle();
            scenario.waited();
        }
    }
}

}  // namespace bench
