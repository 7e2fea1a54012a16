#include "reading.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "bench_limits.h"

namespace bench {

void Diagnostics::error(const std::string &where, const std::string &what) {
    items_.push_back({true, where, what});
}

void Diagnostics::warning(const std::string &where, const std::string &what) {
    items_.push_back({false, where, what});
}

bool Diagnostics::has_errors() const {
    return std::any_of(items_.begin(), items_.end(), [](const Diagnostic &d) { return d.error; });
}

size_t Diagnostics::warning_count() const {
    return static_cast<size_t>(
        std::count_if(items_.begin(), items_.end(), [](const Diagnostic &d) { return !d.error; }));
}

void Diagnostics::print(FILE *out) {
    for (; printed_ < items_.size(); ++printed_)
        fprintf(out, "%s\n", format(items_[printed_]).c_str());
    fflush(out);
}

std::string format(const Diagnostic &item) {
    std::string text = item.error ? "" : "warning: ";
    if (!item.where.empty())
        text += item.where + ": ";
    return text + item.what;
}

std::vector<std::string> split_lines(const std::string &text) {
    std::vector<std::string> lines;
    size_t begin = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

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

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Quoted for a message, cut when long.
std::string quoted(const std::string &text) {
    return "\"" + (text.size() > 40 ? text.substr(0, 40) + "..." : text) + "\"";
}

std::string range(double min, double max) {
    char text[80];
    snprintf(text, sizeof text, "%.15g to %.15g", min, max);
    return text;
}

}  // namespace

bool read_whole(const std::string &text, long long min, long long max, long long &value,
                std::string &why) {
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        at = 1;
    if (at == text.size() || !std::all_of(text.begin() + at, text.end(), is_digit)) {
        why = quoted(text) + " is not a whole decimal number";
        return false;
    }
    // Reading stops past any limit the bench has, however many digits follow.
    long long magnitude = 0;
    for (size_t i = at; i < text.size() && magnitude <= 1000000000000000LL; ++i)
        magnitude = magnitude * 10 + (text[i] - '0');
    const long long number = negative ? -magnitude : magnitude;
    if (number < min || number > max) {
        why = quoted(text) + " is out of range (" + range(static_cast<double>(min),
                                                          static_cast<double>(max)) + ")";
        return false;
    }
    value = number;
    return true;
}

bool read_int(const std::string &name, const std::string &text, long long min, long long max, int &number,
              std::string &why) {
    long long value = 0;
    if (!read_whole(text, min, max, value, why)) {
        why = name + ": " + why;
        return false;
    }
    number = static_cast<int>(value);
    return true;
}

bool read_decimal(const std::string &text, double limit, double &value, std::string &why) {
    const size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    const bool signed_only = whole == "-" || whole == "+";
    if ((whole.empty() || signed_only) && fraction.empty()) {
        why = quoted(text) + " is not a decimal number";
        return false;
    }
    if (!std::all_of(fraction.begin(), fraction.end(), is_digit) ||
        (point != std::string::npos && fraction.empty())) {
        why = quoted(text) + " is not a decimal number";
        return false;
    }
    long long integral = 0;
    std::string ignored;
    if (!whole.empty() && !signed_only &&
        !read_whole(whole, -1000000000000000LL, 1000000000000000LL, integral, ignored)) {
        why = ignored.find("out of range") != std::string::npos
                  ? quoted(text) + " is out of range (" + range(-limit, limit) + ")"
                  : quoted(text) + " is not a decimal number";
        return false;
    }
    double number = static_cast<double>(integral < 0 ? -integral : integral);
    double scale = 0.1;
    for (char c : fraction.substr(0, 17)) {
        number += (c - '0') * scale;
        scale /= 10;
    }
    if (!whole.empty() && whole[0] == '-')
        number = -number;
    if (number < -limit || number > limit) {
        why = quoted(text) + " is out of range (" + range(-limit, limit) + ")";
        return false;
    }
    value = number;
    return true;
}

bool read_zoom(const std::string &text, int &percent, std::string &why) {
    if (lower(text) == "fit") {
        percent = 0;
        return true;
    }
    const std::string digits = !text.empty() && text.back() == '%' ? text.substr(0, text.size() - 1) : text;
    long long value = 0;
    std::string ignored;
    if (!read_whole(digits, MIN_ZOOM_PERCENT, MAX_ZOOM_PERCENT, value, ignored)) {
        why = quoted(text) + " is no zoom: fit or a percentage from " + std::to_string(MIN_ZOOM_PERCENT) + " to " +
              std::to_string(MAX_ZOOM_PERCENT);
        return false;
    }
    percent = static_cast<int>(value);
    return true;
}

bool read_text_file(const std::string &path, long long max_bytes, std::string &text,
                    std::string &why) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        why = "cannot be opened (missing, a folder, or not readable)";
        return false;
    }
    std::vector<char> bytes(static_cast<size_t>(max_bytes) + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        why = "cannot be read (a folder?)";
        return false;
    }
    const std::streamsize count = file.gcount();
    if (count > max_bytes) {
        why = "larger than " + std::to_string(max_bytes) + " bytes";
        return false;
    }
    text.assign(bytes.data(), static_cast<size_t>(count));
    return true;
}

}  // namespace bench
