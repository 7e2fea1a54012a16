#include "benchmark_table.h"

#include <algorithm>
#include <cstdio>

namespace {

double ticks_per_nanosecond() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1e9;
}

// Nanoseconds per operation of one round of a case.
double time_round(const BenchmarkCase &test, int per_round) {
    LONGLONG ticks = 0;
    for (int i = 0; i < per_round; ++i) {
        if (test.prepare)
            test.prepare();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        test.run();
        QueryPerformanceCounter(&end);
        ticks += end.QuadPart - start.QuadPart;
        if (test.finish)
            test.finish();
    }
    return double(ticks) / ticks_per_nanosecond() / per_round;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A duration in the unit that keeps it readable.
std::string readable(double nanoseconds) {
    char text[32];
    if (nanoseconds < 10e3)
        std::snprintf(text, sizeof text, "%.1f ns", nanoseconds);
    else if (nanoseconds < 10e6)
        std::snprintf(text, sizeof text, "%.1f us", nanoseconds / 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
    return text;
}

}  // namespace

std::vector<BenchmarkResult> compare(const std::vector<BenchmarkCase> &cases, int rounds,
                                     int per_round) {
    std::vector<std::vector<double>> times(cases.size());
    for (int round = -1; round < rounds; ++round) {
        for (size_t i = 0; i < cases.size(); ++i) {
            const double nanoseconds = time_round(cases[i], per_round);
            if (round >= 0)
                times[i].push_back(nanoseconds);
        }
    }
    std::vector<BenchmarkResult> results;
    for (size_t i = 0; i < cases.size(); ++i)
        results.push_back({cases[i].name, median(times[i])});
    return results;
}

void print_table(const std::string &title, const std::vector<BenchmarkResult> &results,
                 int rounds, int per_round) {
    print_table(title,
                "median of " + std::to_string(rounds) + " rounds of " + std::to_string(per_round) +
                    " operations each",
                results);
}

void print_table(const std::string &title, const std::string &note,
                 const std::vector<BenchmarkResult> &results) {
    std::printf("\n%s\n  (%s)\n", title.c_str(), note.c_str());
    std::printf("  %-66s %14s %8s\n", "", "per operation", "ratio");
    for (const BenchmarkResult &result : results)
        std::printf("  %-66s %14s %8.2f\n", result.name.c_str(), readable(result.nanoseconds).c_str(),
                    result.nanoseconds / results.front().nanoseconds);
}

void print_count(const std::string &name, double value, const std::string &limit, bool kept) {
    std::printf("  %-66s %14.2f   %s %s\n", name.c_str(), value, limit.c_str(),
                kept ? "kept" : "EXCEEDED");
}
