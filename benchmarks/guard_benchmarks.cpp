// What the guard around every gauge call costs: the master switch's update
// called bare and through the guard, and a routine that does nothing, so
// that the guard's own fixed cost shows beside the gauge's.
#include "gauge_benchmarks.h"

#include "benchmark_table.h"
#include "gauge_guard.h"
#include "gauge_under_test.h"

namespace {

void HOST_CALL does_nothing() {}

const void *code_of(void(HOST_CALL *routine)()) { return reinterpret_cast<const void *>(routine); }

}  // namespace

void benchmark_guarded_calls(int rounds, int per_round) {
    GaugeUnderTest gauge;
    if (!gauge.load("Brennovalux.gau")) {
        std::printf("Brennovalux.gau cannot be loaded\n");
        return;
    }
    gauge.start();
    const void *update = code_of(gauge.header->update);
    std::vector<BenchmarkCase> cases = {
        {"Brennovalux update, called bare", [&] { gauge.update(); }, nullptr, [&] { gauge.forget_calls(); }},
        {"Brennovalux update, called through the guard", [&] { panel_host::call_guarded("update", update, {}); },
         nullptr, [&] { gauge.forget_calls(); }},
    };
    print_table("Guarded calls: the gauge's update with and without the guard", compare(cases, rounds, per_round),
                rounds, per_round);
    std::vector<BenchmarkCase> empty = {
        {"a routine that does nothing, called bare", [] { does_nothing(); }, nullptr, nullptr},
        {"the same through the guard", [] { panel_host::call_guarded("update", code_of(&does_nothing), {}); },
         nullptr, nullptr},
    };
    print_table("Guarded calls: the guard's own cost", compare(empty, rounds, per_round), rounds, per_round);
    gauge.kill();
}
