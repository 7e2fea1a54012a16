// The built ignition gauge's sounds on Wine's real DirectSound, seen through
// the sound recorder: what install loads, what clicks play, what kill releases.
#include "ignition_sound_fixture.h"

namespace {

class IgnitionSound : public IgnitionSoundFixture {
protected:
    RecordedBuffer &starter() { return *recorder->buffers.at(0); }
    RecordedBuffer &stop() { return *recorder->buffers.at(1); }
};

TEST_F(IgnitionSound, InstallLoadsBothSoundsBeforeTheElements) {
    write_sounds();
    gauge.host.on_call = [&](const panel_host::ServiceCall &call) {
        if (call.service == "InstallElements") {
            EXPECT_EQ(2u, recorder->buffers.size()) << "sounds load before InstallElements";
        }
    };
    start();
    ASSERT_EQ(1u, recorder->devices.size());
    EXPECT_EQ(DSSCL_NORMAL, recorder->devices[0]->cooperative_level);
    EXPECT_EQ(FindWindowA("FS98MAIN", nullptr), recorder->devices[0]->cooperative_window);
    ASSERT_EQ(2u, recorder->buffers.size());
    EXPECT_EQ(277830u, starter().bytes);
    EXPECT_EQ(141120u, stop().bytes);
    for (RecordedBuffer *buffer : {&starter(), &stop()}) {
        EXPECT_EQ(0xE0u, buffer->flags);
        EXPECT_EQ(44100u, buffer->format.nAvgBytesPerSec);
        EXPECT_EQ(1, buffer->locks);
        EXPECT_EQ(0, buffer->plays);
    }
}

TEST_F(IgnitionSound, CrankingPlaysTheStarterOnceAndTheStopClickPlaysTheStopSound) {
    write_sounds();
    start();
    click();
    update_at(10);  // cranking begins
    EXPECT_EQ(1, starter().plays);
    EXPECT_EQ(0u, starter().last_play_flags) << "played once, not looping";
    for (double ticks = 11; ticks < 100; ++ticks)
        update_at(ticks);
    EXPECT_EQ(1, starter().plays) << "the start event does not replay or stop it";
    EXPECT_EQ(0, starter().stops);

    gauge.host.set_token(131, 1.0);
    update_at(100);
    recorder->calls.clear();
    gauge.forget_calls();
    click();
    EXPECT_EQ((std::vector<std::string>{"SendEvent"}), gauge.service_names());
    EXPECT_EQ((std::vector<std::string>{"GetStatus", "SetCurrentPosition", "Play"}), recorder->calls);
    EXPECT_EQ(1, stop().plays);
}

TEST_F(IgnitionSound, KillReleasesBuffersThenTheDeviceAndASecondKillCallsNothing) {
    write_sounds();
    start();
    recorder->calls.clear();
    gauge.kill();
    EXPECT_EQ((std::vector<std::string>{"ReleaseBuffer", "ReleaseBuffer", "ReleaseDevice"}), recorder->calls);
    EXPECT_EQ(0, recorder->live_references());
    recorder->calls.clear();
    gauge.kill();
    EXPECT_TRUE(recorder->calls.empty());
    start();  // a new install makes a new device and loads again
    EXPECT_EQ(2u, recorder->devices.size());
    EXPECT_EQ(4u, recorder->buffers.size());
}

TEST_F(IgnitionSound, WithoutFilesOrDeviceTheGaugeStartsAndStopsSilently) {
    for (bool device : {true, false}) {
        recorder->fail_device_creation = !device;
        start();
        EXPECT_TRUE(recorder->buffers.empty());
        click();
        update_at(0);
        update_at(81);
        gauge.host.set_token(131, 1.0);
        update_at(82);
        click();
        int events = 0;
        for (const auto &call : gauge.host.calls)
            events += call.service == "SendEvent";
        EXPECT_EQ(2, events) << "start and stop events are sent without sound";
        gauge.kill();
        gauge.forget_calls();
        gauge.host.set_token(131, 0.0);
        EXPECT_EQ(0, recorder->live_references());
    }
}

}  // namespace
