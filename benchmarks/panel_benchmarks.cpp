// Both modules on the stand-in host: the time of a panel update with the host
// services it calls, and what a click costs in status queries and allocations.
#include "gauge_benchmarks.h"

#include <algorithm>

#include "allocation_counter.h"
#include "benchmark_table.h"
#include "gauge_under_test.h"
#include "sound_recorder.h"
#include "test_files.h"
#include "wave_image.h"

namespace {

const uint32_t tick_token = 1;
const uint32_t ignition_token = 131;
const uint32_t start_event = 0x000101EA;
const uint32_t stop_event = 0x000101E7;

// Loads and starts a gauge file; the switch gets every panel variable it binds.
bool start_gauge(GaugeUnderTest &gauge, const char *file_name) {
    if (!gauge.load(file_name)) {
        std::printf("%s cannot be loaded\n", file_name);
        return false;
    }
    gauge.start();
    for (const panel_host::ServiceCall &call : gauge.host.calls)
        if (call.service == "BindVarByName")
            gauge.host.provide_panel_variable(call.name);
    gauge.initialize();  // binds again, now to provided variables
    gauge.forget_calls();
    gauge.host.record_calls = false;  // as the bench's host
    return true;
}

// The simulator starts the engine on the start event and stops it on the stop event.
void follow_engine_events(GaugeUnderTest &gauge) {
    gauge.host.on_event = [&gauge](uint32_t event, uint32_t) {
        if (event == start_event)
            gauge.host.set_token(ignition_token, 1.0);
        else if (event == stop_event)
            gauge.host.set_token(ignition_token, 0.0);
    };
}

// Status queries of every buffer the recorder has seen.
long status_queries(const SoundRecorder &recorder) {
    long queries = 0;
    for (const auto &buffer : recorder.buffers)
        queries += buffer->status_queries;
    return queries;
}

struct ClickCosts {
    long clicks = 0;
    long most_queries = 0;      // in any one click
    long total_queries = 0;
    long most_allocations = 0;  // in any one click
};

// Counts one click: `act` is the click and whatever of the host's work it sets off.
void count_click(ClickCosts &costs, SoundRecorder &recorder, AllocationCounter &allocations,
                 const std::function<void()> &act) {
    const long queries = status_queries(recorder);
    const long allocated = allocations.allocations();
    act();
    costs.clicks += 1;
    costs.most_queries = std::max(costs.most_queries, status_queries(recorder) - queries);
    costs.total_queries += status_queries(recorder) - queries;
    costs.most_allocations = std::max(costs.most_allocations, allocations.allocations() - allocated);
}

void print_click_costs(const char *gauge, const char *counted, const ClickCosts &costs) {
    std::printf("\n%s click path: %ld clicks, each counted with %s\n"
                "  (sound recorder on DirectSoundCreate; counter on the module's LocalAlloc, "
                "GlobalAlloc, HeapAlloc, malloc, calloc, realloc)\n",
                gauge, costs.clicks, counted);
    print_count("status queries (GetStatus), most in one click", double(costs.most_queries),
                "limit 2:", costs.most_queries <= 2);
    print_count("status queries (GetStatus), mean per click",
                double(costs.total_queries) / double(costs.clicks), "limit 2:",
                costs.total_queries <= 2 * costs.clicks);
    print_count("allocations, most in one click", double(costs.most_allocations), "limit 0:",
                costs.most_allocations == 0);
}

}  // namespace

double benchmark_panel_cycles(int rounds, int per_round) {
    TestFolder sounds;
    sounds.write("Aircraft\\sound\\kaprelo\\Eg.wav", pcm_wave(22050, 16, counting_bytes(44100)));
    sounds.write("Aircraft\\sound\\kaprelo\\Stop.wav", pcm_wave(22050, 16, counting_bytes(44100)));
    CurrentDirectory here(sounds.path());
    // One host is active at a time: each gauge's cycles run on its own host, one after the other.
    std::vector<BenchmarkResult> results;
    {
        GaugeUnderTest gauge;
        if (!start_gauge(gauge, "Brennovalux.gau"))
            return 0;
        std::vector<BenchmarkCase> cases = {
            {"Brennovalux update (33 panel variables written, UpdateElements)",
             [&] { gauge.update(); }, nullptr, [&] { gauge.forget_calls(); }}};
        results.push_back(compare(cases, rounds, per_round).front());
        gauge.kill();
    }
    {
        GaugeUnderTest gauge;
        if (!start_gauge(gauge, "Delvarotine.gau"))
            return 0;
        double tick = 0;
        std::vector<BenchmarkCase> cases = {
            {"Delvarotine update (RefreshVar, UpdateElements, 3 value routines)",
             [&] { gauge.update(); }, [&] { gauge.host.set_token(tick_token, tick += 1); },
             [&] { gauge.forget_calls(); }}};
        results.push_back(compare(cases, rounds, per_round).front());
        gauge.kill();
    }
    print_table("Panel cycle: the gauge's update routine and the stand-in host's services it calls "
                "(recording no calls, as the bench's host)",
                results, rounds, per_round);
    return results[0].nanoseconds + results[1].nanoseconds;
}

void benchmark_click_paths(int clicks) {
    TestFolder sounds;
    sounds.write("Aircraft\\sound\\kaprelo\\Eg.wav", pcm_wave(22050, 16, counting_bytes(44100)));
    sounds.write("Aircraft\\sound\\kaprelo\\Stop.wav", pcm_wave(22050, 16, counting_bytes(44100)));
    CurrentDirectory here(sounds.path());
    {
        GaugeUnderTest gauge;
        if (!gauge.load("Brennovalux.gau"))
            return;
        SoundRecorder recorder(gauge.module());
        AllocationCounter allocations(gauge.module());
        gauge.start();
        ClickCosts costs;
        for (int click = 0; click < clicks; ++click) {
            count_click(costs, recorder, allocations, [&] { gauge.click(5, 5); });
            gauge.update();
            gauge.forget_calls();
            recorder.calls.clear();
        }
        gauge.kill();
        print_click_costs("Brennovalux", "the lever and the click sound", costs);
    }
    {
        GaugeUnderTest gauge;
        if (!gauge.load("Delvarotine.gau"))
            return;
        SoundRecorder recorder(gauge.module());
        AllocationCounter allocations(gauge.module());
        follow_engine_events(gauge);
        gauge.start();
        ClickCosts costs;
        double tick = 0;
        auto update = [&] {
            gauge.host.set_token(tick_token, tick += 1);
            gauge.update();
        };
        // Starting clicks count with the update that starts the starter sound.
        for (int click = 0; click < clicks; ++click) {
            count_click(costs, recorder, allocations, [&] {
                gauge.click(60, 40);
                update();
            });
            for (int cycle = 0; cycle < 90; ++cycle)
                update();
            gauge.forget_calls();
            recorder.calls.clear();
        }
        gauge.kill();
        print_click_costs("Delvarotine", "the update after it (starts and stops in turn)", costs);
    }
}
