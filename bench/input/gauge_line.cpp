#include "gauge_line.h"

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

// An optional size field: empty is "not given" (0).
bool read_size_field(const std::string &name, const std::string &text, int &number, std::string &why) {
    number = 0;
    return text.empty() || read_int(name, text, 1, MAX_UNITS, number, why);
}

}  // namespace

bool read_relative_path(const std::string &text, int levels_up, std::string &path, std::string &why) {
    path.clear();
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
            if (--depth < -levels_up) {
                why = "\"" + text + "\" leads out of the " +
                      (levels_up == 0 ? "panel folder (\"..\")" : "simulator folder");
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

bool read_gauge_line(const std::string &value, GaugeLine &line, std::string &why) {
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
    if (!read_relative_path(line.file, 0, line.file_path, why))
        return false;
    if (fields[1].empty() || fields[2].empty()) {
        why = std::string(fields[1].empty() ? "x" : "y") + " is empty; a gauge needs its place";
        return false;
    }
    line.parameter = fields.size() > 5 ? fields[5] : "";
    return read_int("x", fields[1], -MAX_UNITS, MAX_UNITS, line.x, why) &&
           read_int("y", fields[2], -MAX_UNITS, MAX_UNITS, line.y, why) &&
           read_size_field("the width", fields.size() > 3 ? fields[3] : "", line.width, why) &&
           read_size_field("the height", fields.size() > 4 ? fields[4] : "", line.height, why);
}

}  // namespace bench
