// What the ignition's sound loading tells a debugger: one line for each
// refusal, naming the sound file or the device, the reason and the code.
// Files are written for each case and read through Wine's real mmio; the
// device is Wine's real DirectSound unless a fault needs a fake one.
#include <gtest/gtest.h>

#include "debug_lines.h"
#include "fake_direct_sound.h"
#include "ignition_sounds.h"
#include "import_patch.h"
#include "test_files.h"
#include "wave_image.h"

namespace {

const std::string starter = "Aircraft\\sound\\kaprelo\\Eg.wav";
const std::string stop = "Aircraft\\sound\\kaprelo\\Stop.wav";

std::vector<uint8_t> good_wave() { return pcm_wave(22050, 16, counting_bytes(1000)); }

// The test program's DirectSoundCreate: Wine's, or a fake device, or a failure.
FakeSoundDevice *fake_device = nullptr;
HRESULT create_result = DS_OK;
decltype(&DirectSoundCreate) real_create = nullptr;

HRESULT WINAPI chosen_direct_sound_create(LPCGUID guid, LPDIRECTSOUND *device, LPUNKNOWN outer) {
    if (FAILED(create_result)) {
        *device = nullptr;
        return create_result;
    }
    if (fake_device != nullptr) {
        *device = fake_device;
        return DS_OK;
    }
    return real_create(guid, device, outer);
}

class IgnitionSoundReports : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, patch.replaced());
        ASSERT_TRUE(debug.hooked);
        real_create = reinterpret_cast<decltype(&DirectSoundCreate)>(
            reinterpret_cast<void (*)()>(patch.original()));
        fake_device = nullptr;
        create_result = DS_OK;
    }
    void TearDown() override {
        ignition_sounds_close();
        fake_device = nullptr;
        create_result = DS_OK;
    }

    // Writes the two files given (an empty one is left out), opens the sounds
    // in that folder, and returns the lines the loading wrote.
    Lines open_with(const std::vector<uint8_t> &starter_bytes,
                    const std::vector<uint8_t> &stop_bytes) {
        if (!starter_bytes.empty())
            folder.write(starter, starter_bytes);
        if (!stop_bytes.empty())
            folder.write(stop, stop_bytes);
        CurrentDirectory here(folder.path());
        ignition_sounds_open();
        return debug.take();
    }
    // The lines of a load whose starter file holds `bytes` beside a good stop file.
    Lines starter_lines(const std::vector<uint8_t> &bytes) {
        ignition_sounds_close();
        return open_with(bytes, good_wave());
    }

    ImportPatch patch{GetModuleHandleA(nullptr), "dsound.dll", "DirectSoundCreate",
                      reinterpret_cast<const void *>(chosen_direct_sound_create)};
    DebugLines debug;
    TestFolder folder;
};

TEST_F(IgnitionSoundReports, LoadedSoundsWriteNoLine) {
    EXPECT_EQ(Lines{}, open_with(good_wave(), good_wave()));
    EXPECT_NE(nullptr, ignition_starter_sound.buffer);
}

TEST_F(IgnitionSoundReports, MissingFileIsNamedAndTheOtherLoads) {
    EXPECT_EQ(Lines{starter + ": file not found or not readable (0x0000E100)"},
              open_with({}, good_wave()));
    EXPECT_NE(nullptr, ignition_stop_sound.buffer);
}

TEST_F(IgnitionSoundReports, FileThatIsNoWaveSaysWhatWasWrong) {
    const std::string text = "plain text, no wave";
    EXPECT_EQ(Lines{starter + ": not a RIFF WAVE file, or its format chunk is short (0x0000E101)"},
              starter_lines(std::vector<uint8_t>(text.begin(), text.end())));
    EXPECT_EQ(Lines{starter + ": not a RIFF WAVE file, or its format chunk is short (0x0000E101)"},
              starter_lines(WaveImage().format(14).chunk("data", 100).image()));
    EXPECT_EQ(Lines{starter + ": not a RIFF WAVE file with a \"fmt \" chunk (0x00000109)"},
              starter_lines(WaveImage().chunk("data", 100).image()));
    EXPECT_EQ(Lines{starter + ": no \"data\" chunk (0x00000109)"},
              starter_lines(WaveImage().chunk("fmt ", format_block(1, 1, 22050, 16)).image()));
    EXPECT_EQ(nullptr, ignition_starter_sound.buffer);
}

TEST_F(IgnitionSoundReports, FileCutShortSaysWhere) {
    std::vector<uint8_t> wave = good_wave();
    // Inside the format chunk: its basic bytes cannot be read.
    EXPECT_EQ(Lines{starter + ": format chunk cut short (0x0000E102)"},
              starter_lines(std::vector<uint8_t>(wave.begin(), wave.begin() + 30)));
    // Inside the data chunk: the buffer is made and silence stands for the data.
    EXPECT_EQ(Lines{starter + ": file ends inside its data chunk, silence instead (0x0000E103)"},
              starter_lines(std::vector<uint8_t>(wave.begin(), wave.begin() + 544)));
    EXPECT_NE(nullptr, ignition_starter_sound.buffer);
}

TEST_F(IgnitionSoundReports, NonPcmFileGivesItsFormatTag) {
    EXPECT_EQ(Lines{starter + ": not PCM; its format tag (0x00000002)"},
              starter_lines(WaveImage()
                                .chunk("fmt ", format_block(2, 1, 22050, 4, {0, 0}))
                                .chunk("data", counting_bytes(500))
                                .image()));
}

TEST_F(IgnitionSoundReports, DeviceNotOpenedCarriesItsCode) {
    create_result = DSERR_NODRIVER;
    EXPECT_EQ(Lines{"sound device: not opened (0x88780078)"}, open_with(good_wave(), good_wave()));
}

TEST_F(IgnitionSoundReports, BufferRefusedByTheRealDeviceCarriesItsCode) {
    // No bytes per second: a buffer length of 0, which the device refuses.
    std::vector<uint8_t> format = format_block(1, 1, 22050, 16);
    std::fill(format.begin() + 8, format.begin() + 12, 0);
    EXPECT_EQ(Lines{starter + ": buffer not created (0x80070057)"},
              starter_lines(WaveImage().chunk("fmt ", format).chunk("data", 100).image()));
}

TEST_F(IgnitionSoundReports, FakeDeviceRefusalsCarryTheirCodes) {
    FakeSoundDevice device;
    fake_device = &device;
    device.cooperative_result = DSERR_INVALIDPARAM;
    device.new_buffer_lock_result = DSERR_BUFFERLOST;
    EXPECT_EQ((Lines{"sound device: cooperative level refused, loading goes on (0x80070057)",
                     starter + ": buffer not locked, left unwritten (0x88780096)",
                     stop + ": buffer not locked, left unwritten (0x88780096)"}),
              open_with(good_wave(), good_wave()));
    ignition_sounds_close();
}

}  // namespace
