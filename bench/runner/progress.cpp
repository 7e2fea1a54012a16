#include "progress.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "panel_clock.h"

namespace bench {

Progress::Progress(long long total, unsigned long long after_ms, Clock clock, Show show)
    : total_(total), next_(clock() + after_ms), clock_(std::move(clock)), show_(std::move(show)) {}

void Progress::ticked() {
    ++done_;
    const unsigned long long now = clock_();
    if (now < next_)
        return;
    next_ = now + PROGRESS_EVERY_MS;
    show_(describe_progress(done_, total_));
    shown_ = true;
}

void Progress::finish() {
    if (shown_)
        show_("");
    shown_ = false;
}

std::string describe_progress(long long done, long long total) {
    const long long seconds = done / TICKS_PER_SECOND;
    char text[96];
    snprintf(text, sizeof text, "tick %lld of %lld, %lld:%02lld:%02lld simulated", done, total, seconds / 3600,
             seconds / 60 % 60, seconds % 60);
    return text;
}

bool error_stream_is_terminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

unsigned long long progress_after_ms() {
    const char *given = getenv("BENCH_PROGRESS_AFTER_MS");
    if (given == nullptr || *given == 0)
        return PROGRESS_AFTER_MS;
    char *end = nullptr;
    const unsigned long long after = strtoull(given, &end, 10);
    return *end == 0 ? after : PROGRESS_AFTER_MS;
}

}  // namespace bench
