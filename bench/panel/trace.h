// The bench's readable trace: one line per thing that happened, stamped with
// the tick it happened at, on the console and optionally in a file. Beside it
// a status line on the error stream, rewritten in place and erased before any
// line of the trace.
#ifndef BENCH_TRACE_H
#define BENCH_TRACE_H

#include <cstdio>
#include <string>

namespace bench {

class Trace {
public:
    Trace();
    ~Trace();
    // Also writes the trace into `path`; false when it cannot be created.
    bool open_file(const std::string &path);
    void line(const std::string &text);
    // "warning: TEXT" on the error stream and in the trace file.
    void warning(const std::string &text);
    unsigned long tick = 0;

    // Shows `text` as the status line, in place of the one shown. For a
    // terminal only: the line is rewritten with a carriage return.
    void status(const std::string &text);
    // Erases the status line, if one is shown; done before any other output.
    void clear_status();

private:
    FILE *file_ = nullptr;
    size_t status_length_ = 0;  // of the status line shown; 0 when none is
};

// A value as the trace prints it: whole numbers without a fraction.
std::string format_value(double value);

}  // namespace bench

#endif
