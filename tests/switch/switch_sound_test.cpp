// The built master switch playing its click on Wine's real DirectSound, seen
// through the sound recorder on the gauge file's own DirectSoundCreate import:
// install makes the one static buffer from the "CLICK" resource, a click plays
// it, a click while it sounds leaves it alone, and kill releases everything.
#include <cstring>

#include "gauge_under_test.h"
#include "sound_recorder.h"

namespace {

typedef std::vector<std::string> Calls;

class SwitchSound : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gauge.load("Brennovalux.gau"));
        recorder = std::make_unique<SoundRecorder>(gauge.module());
        ASSERT_TRUE(recorder->hooked()) << "the gauge file imports DirectSoundCreate from dsound.dll";
    }
    void TearDown() override {
        gauge.kill();
        recorder.reset();
    }

    const uint8_t *click_resource() {
        HRSRC found = FindResourceA(gauge.module(), "CLICK", MAKEINTRESOURCEA(10));
        return static_cast<const uint8_t *>(LockResource(LoadResource(gauge.module(), found)));
    }
    // The sound calls made since the last look.
    Calls calls() {
        Calls seen = recorder->calls;
        recorder->calls.clear();
        return seen;
    }
    DWORD status(int buffer = 0) {
        DWORD status = 0;
        EXPECT_EQ(DS_OK, recorder->buffers.at(buffer)->real->GetStatus(&status));
        return status;
    }
    bool lever_on() { return (gauge.child(gauge.head(), 0)->draw_flags & DRAW_HIDDEN) != 0; }

    GaugeUnderTest gauge;
    std::unique_ptr<SoundRecorder> recorder;
};

TEST_F(SwitchSound, InstallMakesOneStaticBufferFromTheClickResource) {
    gauge.install();
    EXPECT_EQ((Calls{"DirectSoundCreate", "SetCooperativeLevel", "CreateSoundBuffer", "Lock",
                     "Unlock", "QueryInterface3D", "Release3D"}),
              calls())
        << "the 3D interface only tests the buffer and is released at once";
    ASSERT_EQ(1u, recorder->devices.size());
    EXPECT_EQ(GetActiveWindow(), recorder->devices[0]->cooperative_window);
    EXPECT_EQ(DSSCL_NORMAL, recorder->devices[0]->cooperative_level);
    ASSERT_EQ(1u, recorder->buffers.size());
    const DSBUFFERDESC1 &description = recorder->buffers[0]->description;
    EXPECT_EQ(20u, description.dwSize);
    EXPECT_EQ(0x000100F2u, description.dwFlags);
    EXPECT_EQ(1322u, description.dwBufferBytes);
    EXPECT_EQ(0u, description.dwReserved);
    EXPECT_EQ(click_resource() + 20, reinterpret_cast<const uint8_t *>(description.lpwfxFormat))
        << "the format block is used in place, inside the gauge file's resource";

    IDirectSoundBuffer *real = recorder->buffers[0]->real;
    void *bytes = nullptr;
    DWORD length = 0;
    ASSERT_EQ(DS_OK, real->Lock(0, 1322, &bytes, &length, nullptr, nullptr, 0));
    EXPECT_EQ(0, memcmp(bytes, click_resource() + 58, 1322)) << "the buffer holds the samples";
    real->Unlock(bytes, length, nullptr, 0);
    EXPECT_EQ((std::vector<std::string>{"InstallElements", "InstallMouse", "RegisterMouse"}),
              gauge.service_names())
        << "the sound table opens after RegisterMouse and calls no service";
}

TEST_F(SwitchSound, AClickPlaysTheClickAndAClickWhileItSoundsLeavesItAlone) {
    gauge.start();
    calls();
    EXPECT_EQ(0, gauge.click(5, 5).value_or(-1));
    EXPECT_EQ((Calls{"GetStatus", "Play"}), calls());
    EXPECT_EQ(0u, recorder->buffers[0]->last_play_flags) << "played once, not looping";
    EXPECT_TRUE(status() & DSBSTATUS_PLAYING) << "playing on the real device";
    EXPECT_TRUE(lever_on());

    EXPECT_EQ(0, gauge.click(5, 5).value_or(-1));
    EXPECT_EQ((Calls{"GetStatus"}), calls()) << "neither restarted nor stopped";
    EXPECT_FALSE(lever_on()) << "the switch still toggles";

    for (int wait = 0; wait < 200 && (status() & DSBSTATUS_PLAYING); ++wait)
        Sleep(10);
    ASSERT_FALSE(status() & DSBSTATUS_PLAYING) << "the click ends";
    gauge.click(5, 5);
    EXPECT_EQ((Calls{"GetStatus", "Play"}), calls());
}

TEST_F(SwitchSound, KillReleasesTheBufferThenTheDeviceAndTheNextInstallOpensAnew) {
    gauge.start();
    gauge.click(5, 5);
    calls();
    gauge.kill();
    EXPECT_EQ((Calls{"ReleaseBuffer", "ReleaseDevice"}), calls());
    EXPECT_EQ(0, recorder->live_references()) << "no device, buffer or 3D reference is left";
    const std::vector<std::string> services = gauge.service_names();
    ASSERT_LE(2u, services.size());
    EXPECT_EQ((std::vector<std::string>{"UnregisterMouse", "KillElements"}),
              std::vector<std::string>(services.end() - 2, services.end()))
        << "the table closes after KillElements";

    gauge.start();
    EXPECT_EQ(2u, recorder->devices.size());
    ASSERT_EQ(2u, recorder->buffers.size());
    gauge.click(5, 5);
    EXPECT_EQ(1, recorder->buffers[1]->plays) << "the new buffer plays";
    gauge.kill();
    EXPECT_EQ(0, recorder->live_references());
}

}  // namespace
