// The bench's sound lines on the built master switch and Wine's real
// DirectSound: what install, clicks and kill print, plays summed up until a
// flush, and the warning for references a gauge still holds after its kill.
#include <fstream>
#include <sstream>

#include "gauge_under_test.h"
#include "sound_trace.h"
#include "test_files.h"

namespace {

class BenchSoundTrace : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gauge.load("Brennovalux.gau"));
        ASSERT_TRUE(trace.open_file(path));
        sound.watch(gauge.module(), "Brennovalux");
    }
    void TearDown() override {
        gauge.kill();
        sound.clear();
    }
    // The lines written since the last call, without their tick stamps.
    std::vector<std::string> new_lines() {
        std::ifstream file(path);
        std::vector<std::string> lines;
        size_t index = 0;
        for (std::string line; std::getline(file, line); ++index)
            if (index >= seen)
                lines.push_back(line.substr(line.find(']') + 2));
        seen = index;
        return lines;
    }
    // Installs the switch, leaves out the lines that wrote, and gives its recorder.
    SoundRecorder *installed_recorder() {
        gauge.start();
        sound.flush();
        new_lines();
        return SoundRecorder::of_module(gauge.module());
    }

    TestFolder folder;
    std::string path = folder.path() + "\\trace.txt";
    bench::Trace trace;
    bench::SoundTrace sound{trace};
    size_t seen = 0;
    GaugeUnderTest gauge;
};

TEST_F(BenchSoundTrace, InstallClickAndKillPrintTheBufferAndItsFate) {
    gauge.start();
    sound.flush();
    EXPECT_EQ((std::vector<std::string>{"Brennovalux: sound device opened",
                                        "Brennovalux: sound buffer 1 created, 1322 bytes (22050 Hz, 8-bit, mono)",
                                        "Brennovalux: sound fills buffer 1 (1322 bytes)"}),
              new_lines());
    gauge.click(10, 10);
    EXPECT_TRUE(new_lines().empty()) << "plays wait for the flush";
    sound.flush();
    EXPECT_EQ((std::vector<std::string>{"Brennovalux: sound plays buffer 1 (1322 bytes)"}), new_lines());
    ASSERT_NE(nullptr, sound.match_play(gauge.module(), 1322));
    EXPECT_EQ(nullptr, sound.match_play(gauge.module(), 1322)) << "a play matches once";
    gauge.kill();
    sound.check_released();
    EXPECT_EQ((std::vector<std::string>{"Brennovalux: sound released buffer 1 (1322 bytes)",
                                        "Brennovalux: sound released the device"}),
              new_lines());
}

TEST_F(BenchSoundTrace, PlaysOfOneBufferAreSummedUpAndStatusQueriesLeftOut) {
    SoundRecorder *recorder = installed_recorder();
    ASSERT_NE(nullptr, recorder);
    const RecordedBuffer *buffer = recorder->buffers.at(0).get();
    for (const char *call : {"GetStatus", "Play", "GetStatus", "Play", "Stop", "Play"})
        recorder->note({call, DS_OK, nullptr, buffer});
    sound.flush();
    EXPECT_EQ((std::vector<std::string>{"Brennovalux: sound plays buffer 1 (1322 bytes), 3 times",
                                        "Brennovalux: sound stops buffer 1 (1322 bytes)"}),
              new_lines());
    EXPECT_EQ(3u, sound.unmatched_plays(gauge.module()).size());
}

TEST_F(BenchSoundTrace, ReferencesHeldAfterKillAreWarnedOf) {
    gauge.start();
    sound.flush();
    new_lines();
    sound.check_released();  // as if kill had released nothing
    EXPECT_EQ((std::vector<std::string>{
                  "Brennovalux: warning: after kill the gauge still holds 1 device and 1 buffer references"}),
              new_lines());
    gauge.kill();
    new_lines();
    sound.check_released();
    EXPECT_TRUE(new_lines().empty());
}

TEST(SoundFormat, DescribesRateBitsAndChannels) {
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    EXPECT_EQ("44100 Hz, 16-bit, stereo", bench::describe_format(format));
    format.nChannels = 6;
    format.wFormatTag = 2;
    EXPECT_EQ("44100 Hz, 16-bit, 6 channels, format tag 2", bench::describe_format(format));
}

TEST_F(BenchSoundTrace, FailedCallsPrintAtOnceAndRefillsAreSummedUp) {
    SoundRecorder *recorder = installed_recorder();
    ASSERT_NE(nullptr, recorder);
    const RecordedBuffer *buffer = recorder->buffers.at(0).get();
    recorder->note({"Lock", DSERR_BUFFERLOST, nullptr, buffer});
    EXPECT_EQ((std::vector<std::string>{"Brennovalux: sound Lock of buffer 1 (1322 bytes) failed (0x88780096)"}),
              new_lines());
    for (const char *call : {"Restore", "Lock", "Play"})
        recorder->note({call, DS_OK, nullptr, buffer});
    sound.flush();
    EXPECT_EQ((std::vector<std::string>{"Brennovalux: sound restores buffer 1 (1322 bytes)",
                                        "Brennovalux: sound fills buffer 1 (1322 bytes)",
                                        "Brennovalux: sound plays buffer 1 (1322 bytes)"}),
              new_lines());
}

}  // namespace
