#include "panel_config.h"

#include <algorithm>
#include <map>

#include "bench_limits.h"
#include "folders.h"
#include "profile_text.h"
#include "window_section.h"

namespace bench {

namespace {

// Sections of the host's panel files that hold no window; read by the host, not by the bench.
const char *const OTHER_SECTIONS[] = {"default view", "8 bit colors", "color", "colors", "views", "fltsim"};

// NN of "windowNN" (any case, two digits), or -1.
int window_key_number(const std::string &name) {
    const std::string key = lower(name);
    if (key.size() != 8 || key.compare(0, 6, "window") != 0 || !isdigit(static_cast<unsigned char>(key[6])) ||
        !isdigit(static_cast<unsigned char>(key[7])))
        return -1;
    return (key[6] - '0') * 10 + (key[7] - '0');
}

bool is_other_section(const std::string &name) {
    const std::string key = lower(name);
    if (key.compare(0, 8, "vcockpit") == 0)
        return true;
    return std::find(std::begin(OTHER_SECTIONS), std::end(OTHER_SECTIONS), key) != std::end(OTHER_SECTIONS);
}

std::string list(const std::vector<std::string> &names) {
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// What a file that makes no window holds instead, for its mistake.
std::string contents(const std::vector<ProfileSection> &sections) {
    size_t cockpits = 0;
    std::vector<std::string> others;
    for (const ProfileSection &section : sections) {
        if (lower(section.name).compare(0, 8, "vcockpit") == 0)
            ++cockpits;
        else
            others.push_back("[" + section.name + "]");
    }
    std::string text;
    if (cockpits > 0)
        text = "; it holds " + std::to_string(cockpits) +
               (cockpits == 1 ? " [VCockpitNN] section" : " [VCockpitNN] sections") +
               ": virtual cockpits are drawn on the aircraft's 3-D model; the bench shows 2-D windows only";
    if (!others.empty())
        text += (cockpits > 0 ? "; besides, " : "; it holds ") + list(others);
    return text.empty() ? "; it holds no section" : text;
}

struct WindowSections {
    std::map<int, const ProfileSection *> windows;  // by number
    const ProfileSection *titles = nullptr;
};

WindowSections sort_sections(const std::string &path, const std::vector<ProfileSection> &sections,
                             Diagnostics &found) {
    WindowSections sorted;
    for (const ProfileSection &section : sections) {
        const int number = window_key_number(section.name);
        if (lower(section.name) == "window titles")
            sorted.titles = &section;
        else if (number >= 0 && number < MAX_WINDOWS)
            sorted.windows[number] = &section;
        else if (number >= MAX_WINDOWS || lower(section.name).compare(0, 6, "window") == 0)
            found.warning(line_place(path, section.line),
                          "[" + section.name + "] is no window section the host reads (Window00 to Window" +
                              std::to_string(MAX_WINDOWS - 1) + "); the bench ignores it");
        else if (!is_other_section(section.name))
            found.warning(line_place(path, section.line),
                          "unknown section [" + section.name + "]; the bench ignores it");
    }
    return sorted;
}

// The windows [Window Titles] lists, from window00 up to the first gap, as the host creates them.
std::vector<std::pair<int, std::string>> listed_windows(const std::string &path, const WindowSections &sorted,
                                                        Diagnostics &found) {
    std::map<int, const ProfileEntry *> titles;
    for (const ProfileEntry &entry : sorted.titles->entries) {
        const int number = window_key_number(entry.key);
        if (number < 0 || number >= MAX_WINDOWS)
            found.warning(entry_place(path, entry), "\"" + entry.key + "\" is no window title key (window00 to window" +
                                                        std::to_string(MAX_WINDOWS - 1) + "); the bench ignores it");
        else
            titles[number] = &entry;
    }
    std::vector<std::pair<int, std::string>> listed;
    int number = 0;
    while (titles.count(number) != 0) {
        const ProfileEntry &entry = *titles[number];
        if (sorted.windows.count(number) == 0)
            found.warning(entry_place(path, entry), "no [Window" + window_number(number) +
                                                        "] section for this window; the bench makes no window for it");
        else
            listed.emplace_back(number, entry.value);
        ++number;
    }
    std::vector<std::string> left_out;
    for (auto &title : titles)
        if (title.first > number)
            left_out.push_back(title.second->key);
    if (!left_out.empty())
        found.warning(line_place(path, sorted.titles->line),
                      "[Window Titles] has no window" + window_number(number) +
                          "; the host creates no window past a gap in the numbers, nor does the bench: " +
                          list(left_out) + " left out");
    std::vector<std::string> unlisted;
    for (auto &window : sorted.windows)
        if (window.first >= number)
            unlisted.push_back("[" + window.second->name + "]");
    if (!unlisted.empty())
        found.warning(line_place(path, sorted.titles->line),
                      list(unlisted) + (unlisted.size() == 1 ? " is" : " are") +
                          " not among the windows [Window Titles] creates; the bench does not run " +
                          (unlisted.size() == 1 ? "it" : "them"));
    return listed;
}

}  // namespace

std::string window_number(int number) {
    return std::string(1, static_cast<char>('0' + number / 10)) + static_cast<char>('0' + number % 10);
}

std::string where(const PanelConfig &config, const GaugeLine &line) {
    std::string place = config.path;
    if (line.line > 0)
        place += " line " + std::to_string(line.line);
    return place + " (" + line.key + "=" + line.text + ")";
}

std::string gauge_place(const WindowConfig &window, const GaugeLine &line) {
    return window_number(window.number) + ":" + line.key;
}

PanelConfig read_panel_text(const std::string &path, const std::string &text, Diagnostics &found,
                            const std::string &full_path, const std::string &simulator) {
    PanelConfig config;
    config.path = path;
    const std::string &located = full_path.empty() ? path : full_path;
    const size_t slash = located.find_last_of("\\/");
    config.folder = slash == std::string::npos ? std::string() : located.substr(0, slash + 1);
    config.simulator_folder = simulator.empty() ? simulator_folder(config.folder) : simulator;

    const std::vector<ProfileSection> sections = read_profile_text(path, text, found);
    const WindowSections sorted = sort_sections(path, sections, found);
    std::vector<std::pair<int, std::string>> windows;
    config.has_titles = sorted.titles != nullptr;
    if (config.has_titles) {
        windows = listed_windows(path, sorted, found);
    } else {
        std::vector<std::string> names;
        for (auto &window : sorted.windows) {
            windows.emplace_back(window.first, "");
            names.push_back("[" + window.second->name + "]");
        }
        if (!windows.empty())
            found.warning(path, "no [Window Titles] section: the host would show none of its windows; the bench runs " +
                                    list(names) + (names.size() == 1 ? " as it stands" : " as they stand"));
    }
    if (windows.empty()) {
        found.error(path, (config.has_titles ? "[Window Titles] lists no window that has a [WindowNN] section"
                                             : "no [WindowNN] section: the file describes no panel window") +
                              contents(sections));
        return config;
    }
    const int levels_up = folders_below(config.simulator_folder, config.folder);
    for (const auto &window : windows) {
        const ProfileSection &section = *sorted.windows.at(window.first);
        WindowConfig read = read_window_section(path, section, levels_up, found);
        read.number = window.first;
        read.title = window.second;
        config.windows.push_back(std::move(read));
    }
    return config;
}

}  // namespace bench
