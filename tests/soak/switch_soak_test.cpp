// The built master switch installed and killed over and over, and run for
// many panel cycles with clicks, through the sound recorder on its
// DirectSoundCreate import and a counter on its allocation imports.
#include "soak.h"
#include "watched_gauge_test.h"

namespace {

class SwitchSoak : public WatchedGaugeTest {
protected:
    SwitchSoak() : WatchedGaugeTest("Brennovalux.gau", "LocalAlloc") {}
    void SetUp() override {
        WatchedGaugeTest::SetUp();
        if (HasFatalFailure())
            return;
        batt1_on = gauge.host.provide_panel_variable("batt1_on");
    }
    void panel_cycle() {
        gauge.update();
        gauge.generate(0);
        gauge.draw();
        gauge.query();
    }
    void click() { gauge.click(5, 5); }

    int32_t *batt1_on = nullptr;
};

TEST_F(SwitchSoak, InstallKillCyclesLeaveNoSoundReferenceBlockMemoryOrHandle) {
    const long cycles = soak_install_cycles();
    ProcessUsage settled;
    long devices = 0;
    for (long cycle = 0; cycle < cycles; ++cycle) {
        if (cycle == soak_warm_up(cycles))
            settled = process_usage();
        gauge.start();
        ASSERT_EQ(1u, recorder->devices.size()) << "cycle " << cycle;
        ASSERT_EQ(1u, recorder->buffers.size()) << "cycle " << cycle;
        panel_cycle();
        click();
        ASSERT_EQ(1, recorder->buffers[0]->plays) << "cycle " << cycle;
        gauge.kill();
        ASSERT_EQ(0, recorder->live_references()) << "cycle " << cycle;
        ASSERT_EQ(0, allocations->outstanding()) << "cycle " << cycle << ": the sound object is freed";
        ASSERT_TRUE(gauge.host.mouse_registrations().empty()) << "cycle " << cycle;
        devices += long(recorder->devices.size());
        recorder->forget_released();
        gauge.forget_calls();
    }
    EXPECT_EQ(cycles, devices) << "every install opened its own device";
    EXPECT_EQ(cycles, allocations->allocations()) << "one sound object block per install";
    const ProcessUsage end = process_usage();
    const long measured = cycles - soak_warm_up(cycles);
    expect_flat("switch install/kill", measured, settled, end, device_cycles_growth(measured));
}

TEST_F(SwitchSoak, PanelCyclesWithClicksPublishTheLeverWithoutAllocatingOrGrowing) {
    gauge.start();
    ASSERT_EQ(1u, recorder->buffers.size());
    const long allocated = allocations->allocations();
    const long cycles = soak_panel_cycles();
    ProcessUsage settled;
    long clicks = 0;
    int32_t lever = 0;
    for (long cycle = 0; cycle < cycles; ++cycle) {
        if (cycle == soak_warm_up(cycles))
            settled = process_usage();
        const bool clicking = cycle % soak_click_interval == soak_click_interval / 2;
        if (clicking) {
            click();
            lever ^= 1;
            ++clicks;
        }
        panel_cycle();
        if (clicking) {
            ASSERT_EQ(lever, *batt1_on) << "cycle " << cycle;
        }
        if (cycle % 1000 == 999) {
            gauge.forget_calls();
            recorder->calls.clear();
        }
    }
    const RecordedBuffer &buffer = *recorder->buffers[0];
    EXPECT_EQ(clicks, buffer.status_queries) << "one status query per click";
    EXPECT_LE(1, buffer.plays);
    EXPECT_EQ(0, buffer.stops) << "a click still sounding is not interrupted";
    const ProcessUsage end = process_usage();  // still playing, as after warm-up
    EXPECT_EQ(allocated, allocations->allocations()) << "clicks and updates allocate nothing";
    gauge.kill();
    EXPECT_EQ(0, recorder->live_references());
    EXPECT_EQ(0, allocations->outstanding());
    expect_flat("switch panel cycles", cycles - soak_warm_up(cycles), settled, end);
}

}  // namespace
