#include "panel_config.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

namespace bench {

namespace {

const char SECTION[] = "Window00";

std::string trim(const std::string &text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string profile_string(const std::string &path, const char *key) {
    char value[1024];
    GetPrivateProfileStringA(SECTION, key, "", value, sizeof value, path.c_str());
    return value;
}

// The section's key names, as the profile functions list them.
std::vector<std::string> section_keys(const std::string &path) {
    std::vector<char> names(1 << 16);
    DWORD length = GetPrivateProfileStringA(SECTION, nullptr, "", names.data(),
                                            static_cast<DWORD>(names.size()), path.c_str());
    std::vector<std::string> keys;
    for (DWORD at = 0; at < length && names[at] != 0;) {
        std::string key(&names[at]);
        keys.push_back(key);
        at += static_cast<DWORD>(key.size()) + 1;
    }
    return keys;
}

bool whole_number(const std::string &text, int &number) {
    std::string digits = trim(text);
    if (digits.empty())
        return false;
    char *end = nullptr;
    long value = std::strtol(digits.c_str(), &end, 10);
    if (*end != 0 || value < -100000 || value > 100000)
        return false;
    number = static_cast<int>(value);
    return true;
}

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

// "W, H" of size= or size_mm=.
bool read_size(const std::string &text, int &width, int &height) {
    std::vector<std::string> parts = split_commas(text);
    return parts.size() == 2 && whole_number(parts[0], width) && whole_number(parts[1], height) &&
           width > 0 && height > 0;
}

// The number of a gaugeNN key, or -1 for other keys.
int gauge_number(const std::string &key) {
    std::string name = lower(trim(key));
    if (name.size() <= 5 || name.compare(0, 5, "gauge") != 0)
        return -1;
    int number = 0;
    return whole_number(name.substr(5), number) && number >= 0 ? number : -1;
}

// The line on which `key` is given in the section, for messages only.
int line_of(const std::string &path, const std::string &key) {
    std::ifstream file(path);
    std::string text;
    bool in_section = false;
    for (int line = 1; std::getline(file, text); ++line) {
        std::string item = trim(text);
        if (!item.empty() && item[0] == '[') {
            in_section = lower(item) == "[" + lower(SECTION) + "]";
            continue;
        }
        size_t equals = item.find('=');
        if (in_section && equals != std::string::npos &&
            lower(trim(item.substr(0, equals))) == lower(key))
            return line;
    }
    return 0;
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
    if (!whole_number(parts[1], line.x) || !whole_number(parts[2], line.y)) {
        why = "x and y must be whole numbers";
        return false;
    }
    if (parts.size() == 4 && (!whole_number(parts[3], line.width) || line.width <= 0)) {
        why = "the width must be a positive whole number";
        return false;
    }
    return true;
}

}  // namespace

std::string where(const PanelConfig &config, const GaugeLine &line) {
    std::string place = config.path;
    if (line.line > 0)
        place += " line " + std::to_string(line.line);
    return place + " (" + line.key + "=" + line.text + ")";
}

bool read_panel_config(const std::string &path, PanelConfig &config, std::string &error) {
    char full[MAX_PATH];
    char *name = nullptr;
    if (GetFullPathNameA(path.c_str(), MAX_PATH, full, &name) == 0 || name == nullptr) {
        error = path + ": not a file name";
        return false;
    }
    config.path = full;
    config.folder = std::string(full, name - full);
    DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = config.path + ": no such panel configuration";
        return false;
    }
    std::vector<std::string> keys = section_keys(config.path);
    if (keys.empty()) {
        error = config.path + ": no [Window00] section, or an empty one";
        return false;
    }

    std::string background = profile_string(config.path, "file");
    if (!background.empty())
        config.background = config.folder + background;
    std::string size = profile_string(config.path, "size");
    const char *size_key = "size";
    if (size.empty()) {
        size = profile_string(config.path, "size_mm");
        size_key = "size_mm";
    }
    if (!size.empty() && !read_size(size, config.width, config.height)) {
        error = config.path + " line " + std::to_string(line_of(config.path, size_key)) + " (" +
                size_key + "=" + size + "): expected two positive whole numbers";
        return false;
    }

    std::vector<std::pair<int, GaugeLine>> numbered;
    for (const std::string &key : keys) {
        int number = gauge_number(key);
        if (number < 0)
            continue;
        GaugeLine line;
        line.key = key;
        line.text = profile_string(config.path, key.c_str());
        line.line = line_of(config.path, key);
        std::string why;
        if (!read_gauge_line(line.text, line, why)) {
            error = where(config, line) + ": " + why;
            return false;
        }
        numbered.emplace_back(number, line);
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto &entry : numbered)
        config.gauges.push_back(entry.second);
    if (config.gauges.empty()) {
        error = config.path + ": [Window00] places no gauge (no gaugeNN= line)";
        return false;
    }
    return true;
}

}  // namespace bench
