// The benchmark groups gauge_benchmarks runs; each prints its own table.
#ifndef GAUGE_BENCHMARKS_H
#define GAUGE_BENCHMARKS_H

#include <cstdio>

void benchmark_wave_file_read(int rounds, int per_round);
void benchmark_ignition_install(int rounds, int per_round);
// Returns the two gauges' updates together, in nanoseconds (0 when a gauge cannot be run).
double benchmark_panel_cycles(int rounds, int per_round);
// bench.exe's headless tick on the example panel against `updates_nanoseconds`,
// the gauges' own updates: quiet runs of `quiet_ticks` (`quiet_audio_ticks`
// with --audio) and runs of the demo's steps repeated `repeats` times
// (`audio_repeats` with --audio).
void benchmark_headless_ticks(int rounds, long long quiet_ticks, long long quiet_audio_ticks, long long repeats,
                              long long audio_repeats, double updates_nanoseconds);
void benchmark_click_paths(int clicks);
void benchmark_guarded_calls(int rounds, int per_round);

#endif
