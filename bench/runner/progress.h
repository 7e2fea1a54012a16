// The progress of a long headless run: once a while has passed, one line
// that tells the ticks done of the total and the simulated time, rewritten
// at most four times a second and erased at the end. Shown on a terminal
// only, so that logs and pipes stay clean.
#ifndef BENCH_PROGRESS_H
#define BENCH_PROGRESS_H

#include <functional>
#include <string>

namespace bench {

constexpr unsigned long long PROGRESS_AFTER_MS = 2000;   // the first line
constexpr unsigned long long PROGRESS_EVERY_MS = 250;    // between rewrites

class Progress {
public:
    using Clock = std::function<unsigned long long()>;       // milliseconds
    using Show = std::function<void(const std::string &)>;   // the empty line erases

    // A run of `total` ticks, starting now by `clock`; the first line after `after_ms`.
    Progress(long long total, unsigned long long after_ms, Clock clock, Show show);
    // After every tick.
    void ticked();
    // At the end of the run: erases the line if it is shown.
    void finish();

private:
    long long total_;
    long long done_ = 0;
    unsigned long long next_;  // when the line may be written again
    Clock clock_;
    Show show_;
    bool shown_ = false;
};

// "tick 12345 of 200000, 0:11:25 simulated"
std::string describe_progress(long long done, long long total);

// Whether the error stream is a console: not a file, a pipe or NUL.
bool error_stream_is_terminal();

// PROGRESS_AFTER_MS, or the milliseconds BENCH_PROGRESS_AFTER_MS gives (the
// tests show the line at once).
unsigned long long progress_after_ms();

}  // namespace bench

#endif
