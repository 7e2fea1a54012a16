#include "window_section.h"

#include <algorithm>

#include "bench_limits.h"

namespace bench {

namespace {

// Keys of the later hosts' window sections that change nothing the bench draws.
const char *const PASSED_OVER_KEYS[] = {
    "window_size", "window_pos", "zorder", "nomenu", "alpha_blend", "sizeable", "no_luminous",
    "child_3d", "child_window", "render_3d_window", "type", "file_640", "file_800", "file_1280",
    "file_1600", "no_autoload", "hidden", "locked",
};

// The parts of a comma list, trimmed.
std::vector<std::string> split_commas(const std::string &text) {
    std::vector<std::string> parts;
    size_t begin = 0;
    for (;;) {
        const size_t comma = text.find(',', begin);
        parts.push_back(trim(text.substr(begin, comma - begin)));
        if (comma == std::string::npos)
            return parts;
        begin = comma + 1;
    }
}

// "W, H", or "W" alone where `one_allowed`; each 1 to `max`.
bool read_extent(const std::string &text, int max, bool one_allowed, Extent &extent, std::string &why) {
    const std::vector<std::string> parts = split_commas(text);
    extent = Extent{};
    if (parts.size() > 2 || (parts.size() == 1 && !one_allowed)) {
        why = one_allowed ? "expected W or W, H" : "expected W, H";
        return false;
    }
    if (!read_int("the width", parts[0], 1, max, extent.width, why) ||
        (parts.size() == 2 && !read_int("the height", parts[1], 1, max, extent.height, why))) {
        extent = Extent{};
        return false;
    }
    return true;
}

bool read_colour(const std::string &text, uint32_t &colour, std::string &why) {
    const std::vector<std::string> parts = split_commas(text);
    if (parts.size() != 3) {
        why = "expected R, G, B";
        return false;
    }
    colour = 0;
    for (const std::string &part : parts) {
        int value = 0;
        if (!read_int("a colour", part, 0, 255, value, why))
            return false;
        colour = colour << 8 | static_cast<uint32_t>(value);
    }
    return true;
}

bool is_name(const std::string &text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    });
}

// The number of a gaugeNN key (two digits), or -1.
int gauge_number(const std::string &key) {
    if (key.size() != 7 || lower(key.substr(0, 5)) != "gauge" || !isdigit(static_cast<unsigned char>(key[5])) ||
        !isdigit(static_cast<unsigned char>(key[6])))
        return -1;
    return (key[5] - '0') * 10 + (key[6] - '0');
}

class SectionReader {
public:
    SectionReader(const std::string &path, int levels_up, Diagnostics &found)
        : path_(path), levels_up_(levels_up), found_(found) {}

    void read(const ProfileEntry &entry, WindowConfig &window);
    void finish(WindowConfig &window);

private:
    void background(const ProfileEntry &entry, WindowConfig &window);
    void gauge(const ProfileEntry &entry, int number);
    // A value the bench can do without: warned of, the default kept.
    void doubtful(const ProfileEntry &entry, const std::string &why) {
        found_.warning(entry_place(path_, entry), why + "; the bench takes its default");
    }
    // A value the bench cannot read: warned of, the key taken as absent.
    void absent(const ProfileEntry &entry, const std::string &why) {
        found_.warning(entry_place(path_, entry), why + "; the bench takes the key as absent");
    }

    const std::string &path_;
    int levels_up_;
    Diagnostics &found_;
    const ProfileEntry *file_ = nullptr;
    const ProfileEntry *file_1024_ = nullptr;
    const ProfileEntry *size_ = nullptr;       // the bench's own size=
    bool pixel_size_given_ = false;
    std::vector<std::pair<int, GaugeLine>> gauges_;
    std::vector<UnreadGaugeLine> unread_;
};

void SectionReader::read(const ProfileEntry &entry, WindowConfig &window) {
    const std::string key = lower(entry.key);
    std::string why;
    if (key == "file") {
        file_ = &entry;
    } else if (key == "file_1024") {
        file_1024_ = &entry;
    } else if (key == "size_mm") {
        window.size_mm_where = entry_place(path_, entry);
        if (!read_extent(entry.value, MAX_UNITS, true, window.size_mm, why))
            absent(entry, why);
    } else if (key == "pixel_size" || key == "size") {
        if (key == "size") {
            size_ = &entry;
            if (pixel_size_given_)
                return;
        } else {
            pixel_size_given_ = true;
        }
        window.pixel_size_where = entry_place(path_, entry);
        if (!read_extent(entry.value, MAX_PANEL_SIDE, false, window.pixel_size, why))
            absent(entry, why);
    } else if (key == "position") {
        int position = 0;
        if (read_int("position", entry.value, 0, 8, position, why))
            window.position = position;
        else
            doubtful(entry, why + " (0 top left to 8 bottom right)");
    } else if (key == "visible") {
        if (entry.value == "0" || entry.value == "1")
            window.visible = entry.value == "1";
        else
            doubtful(entry, "visible is 0 or 1");
    } else if (key == "ident") {
        if (is_name(entry.value))
            window.ident = entry.value;
        else
            doubtful(entry, "an ident is a number or a name of letters, digits and '_'");
    } else if (key == "window_size_ratio") {
        double ratio = 0;
        if (read_decimal(entry.value, 100, ratio, why) && ratio > 0)
            window.size_ratio = ratio;
        else
            doubtful(entry, why.empty() ? "the ratio is not above 0" : why);
    } else if (key == "background_color") {
        uint32_t colour = 0;
        if (read_colour(entry.value, colour, why)) {
            window.has_background_colour = true;
            window.background_colour = colour;
        } else {
            doubtful(entry, why);
        }
    } else if (std::find(std::begin(PASSED_OVER_KEYS), std::end(PASSED_OVER_KEYS), key) != std::end(PASSED_OVER_KEYS)) {
        return;
    } else if (gauge_number(entry.key) >= 0) {
        gauge(entry, gauge_number(entry.key));
    } else {
        const bool gauge_like = key.compare(0, 5, "gauge") == 0 || key.compare(0, 5, "guage") == 0;
        found_.warning(entry_place(path_, entry),
                       gauge_like ? "\"" + entry.key + "\" is not a gauge key (gauge00 to gauge" +
                                        std::to_string(MAX_GAUGE_NUMBER) + "); the bench ignores it"
                                  : "unknown key \"" + entry.key + "\"; the bench ignores it");
    }
}

void SectionReader::background(const ProfileEntry &entry, WindowConfig &window) {
    window.background_text = entry.value;
    window.background_where = entry_place(path_, entry);
    if (entry.value.empty())
        return;
    std::string why;
    if (!read_relative_path(entry.value, levels_up_, window.background, why))
        found_.warning(window.background_where, why + "; the window is drawn without it");
}

void SectionReader::gauge(const ProfileEntry &entry, int number) {
    GaugeLine line;
    line.key = entry.key;
    line.number = number;
    line.text = entry.value;
    line.line = entry.line;
    std::string value = entry.value;
    const size_t semicolon = value.find(';');
    if (semicolon != std::string::npos) {
        found_.warning(entry_place(path_, entry),
                       "the text after ';' is taken for a comment; the profile functions keep it "
                       "in the value");
        value = trim(value.substr(0, semicolon));
    }
    std::string why;
    if (!read_gauge_line(value, levels_up_, line, why)) {
        found_.warning(entry_place(path_, entry), why + "; the line places no gauge");
        unread_.push_back({entry.key, number, entry.value, entry.line, why});
        return;
    }
    gauges_.emplace_back(number, line);
}

void SectionReader::finish(WindowConfig &window) {
    if (file_ != nullptr)
        background(*file_, window);
    else if (file_1024_ != nullptr)
        background(*file_1024_, window);
    if (size_ != nullptr)
        found_.warning(entry_place(path_, *size_),
                       pixel_size_given_ ? "the host does not read size=; pixel_size= counts"
                                         : "the host does not read size=; the bench takes it as the window's "
                                           "size in pixels, as pixel_size=");
    std::stable_sort(gauges_.begin(), gauges_.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto &gauge : gauges_)
        window.gauges.push_back(gauge.second);
    std::stable_sort(unread_.begin(), unread_.end(),
                     [](const UnreadGaugeLine &a, const UnreadGaugeLine &b) { return a.number < b.number; });
    window.unread_gauges = unread_;
}

}  // namespace

WindowConfig read_window_section(const std::string &path, const ProfileSection &section, int levels_up,
                                 Diagnostics &found) {
    WindowConfig window;
    window.section = section.name;
    window.section_line = section.line;
    SectionReader reader(path, levels_up, found);
    for (const ProfileEntry &entry : section.entries)
        reader.read(entry, window);
    reader.finish(window);
    return window;
}

}  // namespace bench
