#include "panel_config.h"

#include <algorithm>
#include <map>

#include "limits.h"

namespace bench {

namespace {

const char SECTION[] = "window00";

// Keys of the host's window section that the bench has no use for.
const char *const UNUSED_KEYS[] = {"position", "visible", "ident"};

struct Entry {
    std::string key;    // as written
    std::string value;  // trimmed, quotes removed
    int line;
};

std::string place(const std::string &path, int line) {
    return path + " line " + std::to_string(line);
}

std::string place(const std::string &path, const Entry &entry) {
    return place(path, entry.line) + " (" + entry.key + "=" + entry.value + ")";
}

// The [Window00] entries as the profile functions see them: sections and
// keys without regard to case, the first of two equal keys counting, lines
// cut at what the profile functions read, ';' lines comments.
std::vector<Entry> section_entries(const std::string &path, const std::string &text,
                                   Diagnostics &found, bool &section_seen) {
    std::vector<Entry> entries;
    std::map<std::string, int> first_line;
    bool inside = false;
    const std::vector<std::string> lines = split_lines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        std::string line = lines[index];
        if (line.size() > static_cast<size_t>(MAX_PROFILE_LINE)) {
            found.warning(place(path, number),
                          "the line is " + std::to_string(line.size()) +
                              " characters long; the profile functions read only the first " +
                              std::to_string(MAX_PROFILE_LINE));
            line.resize(MAX_PROFILE_LINE);
        }
        line = trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            inside = close != std::string::npos && lower(trim(line.substr(1, close - 1))) == SECTION;
            section_seen = section_seen || inside;
            continue;
        }
        if (!inside)
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            found.warning(place(path, number), "\"" + line + "\" has no '='; the bench ignores it");
            continue;
        }
        Entry entry{trim(line.substr(0, equals)), trim(line.substr(equals + 1)), number};
        if (entry.value.size() >= 2 && entry.value.front() == '"' && entry.value.back() == '"')
            entry.value = entry.value.substr(1, entry.value.size() - 2);
        const std::string key = lower(entry.key);
        auto first = first_line.find(key);
        if (first != first_line.end()) {
            found.warning(place(path, entry),
                          entry.key + " is given again; the one on line " +
                              std::to_string(first->second) + " counts");
            continue;
        }
        first_line[key] = number;
        entries.push_back(entry);
    }
    return entries;
}

// The parts of a comma list, trimmed.
std::vector<std::string> split_commas(const std::string &text) {
    std::vector<std::string> parts;
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(',', begin);
        parts.push_back(trim(text.substr(begin, comma - begin)));
        if (comma == std::string::npos)
            return parts;
        begin = comma + 1;
    }
}

bool read_number(const std::string &name, const std::string &text, long long min, long long max,
                 int &number, std::string &why) {
    long long value = 0;
    if (!read_whole(text, min, max, value, why)) {
        why = name + ": " + why;
        return false;
    }
    number = static_cast<int>(value);
    return true;
}

// "W, H" of size= or size_mm=.
bool read_size(const std::string &text, int &width, int &height, std::string &why) {
    std::vector<std::string> parts = split_commas(text);
    if (parts.size() != 2) {
        why = "expected W, H";
        return false;
    }
    return read_number("the width", parts[0], 1, MAX_PANEL_SIDE, width, why) &&
           read_number("the height", parts[1], 1, MAX_PANEL_SIDE, height, why);
}

bool read_gauge_line(const std::string &text, GaugeLine &line, std::string &why) {
    std::vector<std::string> parts = split_commas(text);
    if (parts.size() < 3 || parts.size() > 4) {
        why = "expected file, x, y[, width]";
        return false;
    }
    size_t bang = parts[0].find('!');
    line.file = trim(parts[0].substr(0, bang));
    if (bang != std::string::npos) {
        line.gauge_name = trim(parts[0].substr(bang + 1));
        if (line.gauge_name.empty()) {
            why = "no gauge name after '!'";
            return false;
        }
    }
    if (line.file.empty()) {
        why = "no gauge file named";
        return false;
    }
    if (line.file.find_first_of("\\/:*?\"<>|") != std::string::npos) {
        why = "\"" + line.file + "\" is not a file name in the panel folder";
        return false;
    }
    return read_number("x", parts[1], -MAX_POSITION, MAX_POSITION, line.x, why) &&
           read_number("y", parts[2], -MAX_POSITION, MAX_POSITION, line.y, why) &&
           (parts.size() == 3 ||
            read_number("the width", parts[3], 1, MAX_PANEL_SIDE, line.width, why));
}

// The number of a gaugeNN key (two digits), or -1.
int gauge_number(const std::string &key) {
    if (key.size() != 7 || lower(key.substr(0, 5)) != "gauge")
        return -1;
    long long number = 0;
    std::string ignored;
    return read_whole(key.substr(5), 0, MAX_GAUGE_NUMBER, number, ignored) && key[5] != '+' &&
                   key[5] != '-'
               ? static_cast<int>(number)
               : -1;
}

void read_entry(const PanelConfig &config, const Entry &entry, PanelConfig &result,
                std::vector<std::pair<int, GaugeLine>> &numbered, Diagnostics &found) {
    const std::string key = lower(entry.key);
    std::string why;
    if (key == "file") {
        result.background = entry.value.empty() ? "" : config.folder + entry.value;
        result.background_line = entry.line;
        result.background_text = entry.value;
        return;
    }
    if (key == "size" || key == "size_mm") {
        if (!read_size(entry.value, result.width, result.height, why)) {
            result.width = result.height = 0;
            found.error(place(config.path, entry), why);
        }
        return;
    }
    for (const char *unused : UNUSED_KEYS)
        if (key == unused)
            return;
    const int number = gauge_number(entry.key);
    if (number < 0) {
        const bool gauge_like = key.compare(0, 5, "gauge") == 0 || key.compare(0, 5, "guage") == 0;
        found.warning(place(config.path, entry),
                      gauge_like ? "\"" + entry.key + "\" is not a gauge key (gauge00 to gauge" +
                                       std::to_string(MAX_GAUGE_NUMBER) + "); the bench ignores it"
                                 : "unknown key \"" + entry.key + "\"; the bench ignores it");
        return;
    }
    GaugeLine line;
    line.key = entry.key;
    line.text = entry.value;
    line.line = entry.line;
    const size_t semicolon = line.text.find(';');
    std::string value = line.text;
    if (semicolon != std::string::npos) {
        found.warning(where(config, line),
                      "the text after ';' is taken for a comment; the profile functions keep it "
                      "in the value");
        value = trim(value.substr(0, semicolon));
    }
    if (!read_gauge_line(value, line, why)) {
        found.error(where(config, line), why);
        return;
    }
    numbered.emplace_back(number, line);
}

}  // namespace

std::string where(const PanelConfig &config, const GaugeLine &line) {
    std::string place = config.path;
    if (line.line > 0)
        place += " line " + std::to_string(line.line);
    return place + " (" + line.key + "=" + line.text + ")";
}

PanelConfig read_panel_text(const std::string &path, const std::string &text, Diagnostics &found) {
    PanelConfig config;
    config.path = path;
    const size_t slash = path.find_last_of("\\/");
    config.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    bool section_seen = false;
    const std::vector<Entry> entries = section_entries(path, text, found, section_seen);
    if (entries.empty()) {
        found.error(path, section_seen ? "the [Window00] section is empty"
                                       : "no [Window00] section");
        return config;
    }
    const bool size_given = std::any_of(entries.begin(), entries.end(),
                                        [](const Entry &entry) { return lower(entry.key) == "size"; });
    std::vector<std::pair<int, GaugeLine>> numbered;
    for (const Entry &entry : entries) {
        if (size_given && lower(entry.key) == "size_mm") {
            found.warning(place(path, entry), "size= is given as well; the bench ignores size_mm=");
            continue;
        }
        read_entry(config, entry, config, numbered, found);
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto &entry : numbered)
        config.gauges.push_back(entry.second);
    if (numbered.empty() && !found.has_errors())
        found.error(path, "[Window00] places no gauge (no gaugeNN= line)");
    return config;
}

}  // namespace bench
