#include "trace.h"

#include <cmath>

namespace bench {

Trace::~Trace() {
    if (file_ != nullptr)
        fclose(file_);
}

bool Trace::open_file(const std::string &path) {
    file_ = fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void Trace::line(const std::string &text) {
    char stamp[32];
    snprintf(stamp, sizeof stamp, "[tick %5lu] ", tick);
    for (FILE *out : {stdout, file_}) {
        if (out == nullptr)
            continue;
        fputs(stamp, out);
        fputs(text.c_str(), out);
        fputc('\n', out);
        fflush(out);
    }
}

void Trace::warning(const std::string &text) {
    fprintf(stderr, "warning: %s\n", text.c_str());
    fflush(stderr);
    if (file_ != nullptr) {
        fprintf(file_, "[tick %5lu] warning: %s\n", tick, text.c_str());
        fflush(file_);
    }
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
