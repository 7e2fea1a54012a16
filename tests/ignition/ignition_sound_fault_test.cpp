// The built ignition gauge on a fake device, for the answers Wine's real
// DirectSound does not give: a buffer handed out with a success code other
// than DS_OK, which this module counts as a refusal.
#include "debug_lines.h"
#include "fake_direct_sound.h"
#include "gauge_under_test.h"
#include "sound_recorder.h"
#include "test_files.h"
#include "wave_image.h"

namespace {

const std::string starter = "Aircraft\\sound\\kaprelo\\Eg.wav";
const std::string stop = "Aircraft\\sound\\kaprelo\\Stop.wav";
typedef std::vector<std::string> Calls;

class IgnitionSoundFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gauge.load("Delvarotine.gau"));
        recorder = std::make_unique<SoundRecorder>(gauge.module());
        ASSERT_TRUE(recorder->hooked()) << "the gauge imports DirectSoundCreate";
        recorder->device_source = [this](LPCGUID, IDirectSound **out, IUnknown *) {
            *out = &device;
            return DS_OK;
        };
        debug = std::make_unique<DebugLines>(gauge.module());
        ASSERT_TRUE(debug->hooked) << "the gauge imports OutputDebugStringA";
        folder.write(starter, pcm_wave(22050, 16, counting_bytes(4000)));
        folder.write(stop, pcm_wave(22050, 16, counting_bytes(4000)));
    }
    void TearDown() override {
        gauge.kill();
        debug.reset();
        recorder.reset();
    }
    // Installs with the sound folder as the current directory, as the host runs.
    void start() {
        CurrentDirectory here(folder.path());
        gauge.start();
    }
    void update_at(double ticks) {
        gauge.host.set_token(1, ticks);
        gauge.update();
    }
    void click() { gauge.click(60, 40); }
    int events_sent() const {
        int events = 0;
        for (const auto &call : gauge.host.calls)
            events += call.service == "SendEvent";
        return events;
    }

    FakeSoundDevice device;
    TestFolder folder;
    GaugeUnderTest gauge;
    std::unique_ptr<SoundRecorder> recorder;
    std::unique_ptr<DebugLines> debug;
};

TEST_F(IgnitionSoundFaults, BufferHandedOutWithSFalseIsReleasedAtOnceAndNeverPlayed) {
    device.create_result = S_FALSE;
    start();
    EXPECT_EQ((Calls{"device SetCooperativeLevel 1", "device CreateSoundBuffer", "b0 Release",
                     "device CreateSoundBuffer", "b1 Release"}),
              device.calls)
        << "neither buffer is filled";
    EXPECT_FALSE(device.buffers_held()) << "no buffer is held from install to kill";
    EXPECT_EQ((Lines{starter + ": buffer not created (0x00000001)",
                     stop + ": buffer not created (0x00000001)"}),
              debug->take());

    device.calls.clear();
    click();
    update_at(10);  // cranking begins: the starter sound would play
    update_at(100);
    gauge.host.set_token(131, 1.0);
    update_at(101);
    click();  // the stop sound would play
    EXPECT_EQ(2, events_sent()) << "the gauge starts and stops the engine without sound";
    EXPECT_TRUE(device.calls.empty()) << "no buffer is played, nor asked";

    gauge.kill();
    EXPECT_EQ((Calls{"device Release"}), device.calls);
    EXPECT_EQ(0, device.references);
}

}  // namespace
