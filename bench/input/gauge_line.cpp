#include "gauge_line.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "bench_limits.h"
#include "reading.h"

namespace bench {

namespace {

// The first `count` comma-separated fields, trimmed, and what follows the
// last of those commas as one more field.
std::vector<std::string> split_fields(const std::string &text, size_t count) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (;;) {
        const size_t comma = fields.size() < count ? text.find(',', begin) : std::string::npos;
        if (comma == std::string::npos) {
            fields.push_back(trim(text.substr(begin)));
            return fields;
        }
        fields.push_back(trim(text.substr(begin, comma - begin)));
        begin = comma + 1;
    }
}

// An optional size field: empty is "not given" (0), and so is 0 written, which
// also makes the box a zero box.
bool read_size_field(const std::string &name, const std::string &text, int &number, bool &zero,
                     std::string &why) {
    number = 0;
    if (text.empty())
        return true;
    if (!read_int(name, text, 0, MAX_UNITS, number, why))
        return false;
    zero = zero || number == 0;
    return true;
}

}  // namespace

bool read_relative_path(const std::string &text, int levels_up, std::string &path, std::string &why) {
    path.clear();
    const bool drive = text.size() >= 2 && text[1] == ':' && isalpha(static_cast<unsigned char>(text[0]));
    if (drive) {
        why = "\"" + text + "\" names a drive; name a file relative to the panel folder";
        return false;
    }
    if (text.find_first_of(":*?\"<>|") != std::string::npos) {
        why = "\"" + text + "\" holds a character no file name has (: * ? \" < > |)";
        return false;
    }
    if (!text.empty() && (text[0] == '\\' || text[0] == '/')) {
        why = "\"" + text + "\" starts at a root; name a file relative to the panel folder";
        return false;
    }
    std::vector<std::string> parts;
    int depth = 0;  // folders below the start; negative above it
    size_t begin = 0;
    for (;;) {
        const size_t separator = text.find_first_of("\\/", begin);
        const std::string part = trim(text.substr(begin, separator - begin));
        if (part.empty() && separator != std::string::npos) {
            why = "\"" + text + "\" has an empty folder name";
            return false;
        }
        if (part == "..") {
            if (--depth < -std::max(levels_up, 0)) {
                why = "\"" + text + "\" leads out of the " +
                      (levels_up < 0 ? "panel folder, which lies in no simulator folder the bench knows (the "
                                       "folder above Aircraft\\NAME\\panel\\, or --sim-folder)"
                                     : "simulator folder");
                return false;
            }
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            ++depth;
            parts.push_back(part);
        }
        if (separator == std::string::npos)
            break;
        begin = separator + 1;
    }
    for (const std::string &part : parts)
        path += (path.empty() ? "" : "\\") + part;
    if (parts.empty() || parts.back() == "..") {
        why = "\"" + text + "\" names no file";
        return false;
    }
    return true;
}

bool read_gauge_line(const std::string &value, int levels_up, GaugeLine &line, std::string &why) {
    // file, x, y, width, height, and the parameter: the rest of the line.
    const std::vector<std::string> fields = split_fields(value, 5);
    if (fields.size() < 3) {
        why = "expected file, x, y[, width[, height[, parameter]]]";
        return false;
    }
    const std::string &name = fields[0];
    const size_t bang = name.find('!');
    line.file = trim(name.substr(0, bang));
    line.gauge_name.clear();
    if (bang != std::string::npos) {
        line.gauge_name = trim(name.substr(bang + 1));
        if (line.gauge_name.empty()) {
            why = "no gauge name after '!'";
            return false;
        }
    }
    if (line.file.empty()) {
        why = "no gauge file named";
        return false;
    }
    line.path_problem.clear();
    if (!read_relative_path(line.file, levels_up, line.file_path, line.path_problem))
        line.file_path.clear();
    if (fields[1].empty() || fields[2].empty()) {
        why = std::string(fields[1].empty() ? "x" : "y") + " is empty; a gauge needs its place";
        return false;
    }
    line.parameter = fields.size() > 5 ? fields[5] : "";
    line.zero_box = false;
    return read_int("x", fields[1], -MAX_UNITS, MAX_UNITS, line.x, why) &&
           read_int("y", fields[2], -MAX_UNITS, MAX_UNITS, line.y, why) &&
           read_size_field("the width", fields.size() > 3 ? fields[3] : "", line.width, line.zero_box, why) &&
           read_size_field("the height", fields.size() > 4 ? fields[4] : "", line.height, line.zero_box, why);
}

}  // namespace bench
