#include "trace.h"

#include <cmath>

namespace bench {

Trace::Trace() {
    // Unbuffered, the runtime writes to a device (a console, NUL) a character
    // at a time; with a buffer, each line below is one write.
    static bool buffered = false;
    if (!buffered)
        setvbuf(stdout, nullptr, _IOFBF, 1 << 14);
    buffered = true;
}

Trace::~Trace() {
    clear_status();
    if (file_ != nullptr)
        fclose(file_);
}

bool Trace::open_file(const std::string &path) {
    file_ = fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void Trace::line(const std::string &text) {
    clear_status();
    char stamp[32];
    const int stamp_length = snprintf(stamp, sizeof stamp, "[tick %5lu] ", tick);
    std::string whole;
    whole.reserve(stamp_length + text.size() + 1);
    whole.append(stamp, stamp_length).append(text).push_back('\n');
    for (FILE *out : {stdout, file_}) {
        if (out == nullptr)
            continue;
        fwrite(whole.data(), 1, whole.size(), out);
        fflush(out);
    }
}

void Trace::warning(const std::string &text) {
    clear_status();
    fprintf(stderr, "warning: %s\n", text.c_str());
    fflush(stderr);
    if (file_ != nullptr) {
        fprintf(file_, "[tick %5lu] warning: %s\n", tick, text.c_str());
        fflush(file_);
    }
}

void Trace::status(const std::string &text) {
    if (text.empty()) {
        clear_status();
        return;
    }
    // Padded over the rest of a longer line shown before.
    std::string shown = "\r" + text;
    if (text.size() < status_length_)
        shown.append(status_length_ - text.size(), ' ');
    fwrite(shown.data(), 1, shown.size(), stderr);
    fflush(stderr);
    status_length_ = text.size();
}

void Trace::clear_status() {
    if (status_length_ == 0)
        return;
    const std::string blank = "\r" + std::string(status_length_, ' ') + "\r";
    fwrite(blank.data(), 1, blank.size(), stderr);
    fflush(stderr);
    status_length_ = 0;
}

std::string format_value(double value) {
    char text[64];
    if (std::floor(value) == value && std::fabs(value) < 1e15)
        snprintf(text, sizeof text, "%.0f", value);
    else
        snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace bench
