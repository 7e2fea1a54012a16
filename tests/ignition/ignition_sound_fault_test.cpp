// The built ignition gauge on a fake device, for the answers Wine's real
// DirectSound does not give: a buffer handed out with a success code other
// than DS_OK, which this module counts as a refusal.
#include "debug_lines.h"
#include "fake_direct_sound.h"
#include "ignition_sound_fixture.h"

namespace {

const std::string starter = IgnitionSoundFixture::STARTER;
const std::string stop = IgnitionSoundFixture::STOP;
typedef std::vector<std::string> Calls;

class IgnitionSoundFaults : public IgnitionSoundFixture {
protected:
    void SetUp() override {
        IgnitionSoundFixture::SetUp();
        if (HasFatalFailure())
            return;
        recorder->device_source = [this](LPCGUID, IDirectSound **out, IUnknown *) {
            *out = &device;
            return DS_OK;
        };
        debug = std::make_unique<DebugLines>(gauge.module());
        ASSERT_TRUE(debug->hooked) << "the gauge imports OutputDebugStringA";
        write_sounds();
    }
    void TearDown() override {
        IgnitionSoundFixture::TearDown();
        debug.reset();
    }
    int events_sent() const {
        int events = 0;
        for (const auto &call : gauge.host.calls)
            events += call.service == "SendEvent";
        return events;
    }

    FakeSoundDevice device;
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
