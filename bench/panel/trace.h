// The bench's readable trace: one line per thing that happened, stamped with
// the tick it happened at, on the console and optionally in a file.
#ifndef BENCH_TRACE_H
#define BENCH_TRACE_H

#include <cstdio>
#include <string>

namespace bench {

class Trace {
public:
    ~Trace();
    // Also writes the trace into `path`; false when it cannot be created.
    bool open_file(const std::string &path);
    void line(const std::string &text);
    // "warning: TEXT" on the error stream and in the trace file.
    void warning(const std::string &text);
    unsigned long tick = 0;

private:
    FILE *file_ = nullptr;
};

// A value as the trace prints it: whole numbers without a fraction.
std::string format_value(double value);

}  // namespace bench

#endif
