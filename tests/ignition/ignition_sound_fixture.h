// A fixture that holds the built ignition gauge with a sound recorder on its
// DirectSoundCreate import, its sound files written into a folder of the
// test's own, and the steps that drive it as the host does.
#ifndef IGNITION_SOUND_FIXTURE_H
#define IGNITION_SOUND_FIXTURE_H

#include <memory>
#include <string>

#include "gauge_under_test.h"
#include "sound_recorder.h"
#include "test_files.h"
#include "wave_image.h"

class IgnitionSoundFixture : public ::testing::Test {
public:
    static constexpr const char *STARTER = "Aircraft\\sound\\kaprelo\\Eg.wav";
    static constexpr const char *STOP = "Aircraft\\sound\\kaprelo\\Stop.wav";

protected:
    void SetUp() override {
        ASSERT_TRUE(gauge.load("Delvarotine.gau"));
        recorder = std::make_unique<SoundRecorder>(gauge.module());
        ASSERT_TRUE(recorder->hooked()) << "the gauge imports DirectSoundCreate";
    }
    void TearDown() override {
        gauge.kill();
        recorder.reset();
    }
    void write_sounds() {
        folder.write(STARTER, pcm_wave(22050, 16, counting_bytes(4000)));
        folder.write(STOP, pcm_wave(22050, 16, counting_bytes(4000)));
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

    TestFolder folder;
    GaugeUnderTest gauge;
    std::unique_ptr<SoundRecorder> recorder;
};

#endif
