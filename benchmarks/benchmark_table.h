// Side-by-side timing with QueryPerformanceCounter and the table the figures
// are printed in. Cases compared in one table run in turn within each round,
// so drift of the machine touches them alike; each figure is the median of
// the rounds' per-operation times.
#ifndef BENCHMARK_TABLE_H
#define BENCHMARK_TABLE_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct BenchmarkCase {
    std::string name;
    std::function<void()> run;      // the operation timed
    std::function<void()> prepare;  // before each operation, not timed (may be empty)
    std::function<void()> finish;   // after each operation, not timed (may be empty)
};

struct BenchmarkResult {
    std::string name;
    double nanoseconds;  // median per operation
};

// Times every case `per_round` operations in each of `rounds` rounds, after
// one untimed warm-up round.
std::vector<BenchmarkResult> compare(const std::vector<BenchmarkCase> &cases, int rounds,
                                     int per_round);

// Prints a titled table of the results, each with its ratio to the first.
void print_table(const std::string &title, const std::vector<BenchmarkResult> &results,
                 int rounds, int per_round);
// The same with `note` (how the figures were had) under the title.
void print_table(const std::string &title, const std::string &note,
                 const std::vector<BenchmarkResult> &results);

// One row of counted figures: name, value, and whether it keeps its limit.
void print_count(const std::string &name, double value, const std::string &limit, bool kept);

#endif
