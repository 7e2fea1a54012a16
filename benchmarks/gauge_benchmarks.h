// The benchmark groups gauge_benchmarks runs; each prints its own table.
#ifndef GAUGE_BENCHMARKS_H
#define GAUGE_BENCHMARKS_H

#include <cstdio>

void benchmark_wave_file_read(int rounds, int per_round);
void benchmark_ignition_install(int rounds, int per_round);
void benchmark_panel_cycles(int rounds, int per_round);
void benchmark_click_paths(int clicks);
void benchmark_guarded_calls(int rounds, int per_round);

#endif
