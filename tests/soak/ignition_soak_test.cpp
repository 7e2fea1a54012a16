// The built ignition gauge installed and killed over and over, and run for
// many panel cycles with clicks that start and stop the engine, with its
// sound files in the current directory, through the sound recorder on its
// DirectSoundCreate import and a counter on its allocation imports.
#include "soak.h"
#include "test_files.h"
#include "watched_gauge_test.h"
#include "wave_image.h"

namespace {

const uint32_t tick_token = 1;
const uint32_t ignition_token = 131;
const uint32_t start_event = 0x000101EA;
const uint32_t stop_event = 0x000101E7;

// One second of each sound: the buffers are filled from the files, then with silence.
TestFolder &sound_folder() {
    static TestFolder folder;
    static bool written = false;
    if (!written) {
        folder.write("Aircraft\\sound\\kaprelo\\Eg.wav", pcm_wave(22050, 16, counting_bytes(44100)));
        folder.write("Aircraft\\sound\\kaprelo\\Stop.wav", pcm_wave(22050, 16, counting_bytes(44100, 3)));
        written = true;
    }
    return folder;
}

class IgnitionSoak : public WatchedGaugeTest {
protected:
    IgnitionSoak() : WatchedGaugeTest("Delvarotine.gau", "GlobalAlloc"), here(sound_folder().path()) {}
    void SetUp() override {
        WatchedGaugeTest::SetUp();
        if (HasFatalFailure())
            return;
        // The simulator starts the engine on the start event and stops it on the stop event.
        gauge.host.on_event = [this](uint32_t event, uint32_t) {
            if (event == start_event) {
                ++starts;
                gauge.host.set_token(ignition_token, 1.0);
            } else if (event == stop_event) {
                ++stops;
                gauge.host.set_token(ignition_token, 0.0);
            }
        };
    }
    void panel_cycle(double tick) {
        gauge.host.set_token(tick_token, tick);
        gauge.update();
        gauge.generate(0);
        gauge.draw();
        gauge.query();
    }
    void click() { gauge.click(60, 40); }
    bool engine_running() const { return gauge.host.token(ignition_token) == 1.0; }

    CurrentDirectory here;
    long starts = 0;
    long stops = 0;
};

TEST_F(IgnitionSoak, InstallKillCyclesLoadBothSoundsAndLeaveNoReferenceBlockMemoryOrHandle) {
    const long cycles = soak_install_cycles();
    ProcessUsage settled;
    long devices = 0;
    for (long cycle = 0; cycle < cycles; ++cycle) {
        if (cycle == soak_warm_up(cycles))
            settled = process_usage();
        const double tick = cycle * 200.0;
        gauge.start();
        ASSERT_EQ(1u, recorder->devices.size()) << "cycle " << cycle;
        ASSERT_EQ(2u, recorder->buffers.size()) << "cycle " << cycle;
        ASSERT_EQ(277830u, recorder->buffers[0]->bytes) << "cycle " << cycle;
        ASSERT_EQ(141120u, recorder->buffers[1]->bytes) << "cycle " << cycle;
        ASSERT_EQ(0, allocations->outstanding()) << "cycle " << cycle << ": the format blocks are freed";
        // A start and a stop: both sounds are asked to play.
        click();
        panel_cycle(tick);
        panel_cycle(tick + 81);
        ASSERT_TRUE(engine_running()) << "cycle " << cycle;
        panel_cycle(tick + 82);
        click();
        panel_cycle(tick + 83);
        ASSERT_EQ(1, recorder->buffers[0]->status_queries) << "cycle " << cycle;
        ASSERT_EQ(1, recorder->buffers[1]->status_queries) << "cycle " << cycle;
        gauge.kill();
        ASSERT_EQ(0, recorder->live_references()) << "cycle " << cycle;
        ASSERT_TRUE(gauge.host.mouse_registrations().empty()) << "cycle " << cycle;
        devices += long(recorder->devices.size());
        recorder->forget_released();
        gauge.forget_calls();
    }
    EXPECT_EQ(cycles, devices) << "every install opened its own device";
    EXPECT_EQ(cycles, starts);
    EXPECT_EQ(cycles, stops);
    EXPECT_EQ(2 * cycles, allocations->allocations()) << "two format blocks per install";
    const ProcessUsage end = process_usage();
    const long measured = cycles - soak_warm_up(cycles);
    expect_flat("ignition install/kill", measured, settled, end, device_cycles_growth(measured));
}

TEST_F(IgnitionSoak, PanelCyclesWithClicksStartAndStopTheEngineWithoutAllocatingOrGrowing) {
    gauge.start();
    ASSERT_EQ(2u, recorder->buffers.size());
    const long allocated = allocations->allocations();
    const long cycles = soak_panel_cycles();
    ProcessUsage settled;
    long clicks = 0;
    for (long cycle = 0; cycle < cycles; ++cycle) {
        if (cycle == soak_warm_up(cycles))
            settled = process_usage();
        // Clicks alternate: one starts the engine, the next stops it.
        if (cycle % soak_click_interval == soak_click_interval / 2) {
            ASSERT_EQ(clicks % 2 == 1, engine_running()) << "cycle " << cycle;
            click();
            ++clicks;
        }
        panel_cycle(double(cycle));
        if (cycle % 1000 == 999) {
            gauge.forget_calls();
            recorder->calls.clear();
        }
    }
    // A start event goes out 81 ticks after its click, within the run.
    EXPECT_EQ((clicks + 1) / 2, starts);
    EXPECT_EQ(clicks / 2, stops);
    EXPECT_EQ(starts, recorder->buffers[0]->status_queries) << "one status query per crank";
    EXPECT_EQ(stops, recorder->buffers[1]->status_queries) << "one status query per stop click";
    EXPECT_LE(1, recorder->buffers[0]->plays);
    EXPECT_LE(1, recorder->buffers[1]->plays);
    const ProcessUsage end = process_usage();  // still playing, as after warm-up
    EXPECT_EQ(allocated, allocations->allocations()) << "clicks and updates allocate nothing";
    gauge.kill();
    EXPECT_EQ(0, recorder->live_references());
    EXPECT_EQ(0, allocations->outstanding());
    expect_flat("ignition panel cycles", cycles - soak_warm_up(cycles), settled, end);
}

}  // namespace
