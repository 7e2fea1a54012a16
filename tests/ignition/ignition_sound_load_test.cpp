// Loading the ignition sounds from files onto Wine's real DirectSound (a
// silent device): buffer sizes, contents, playing and release.
#include <gtest/gtest.h>

#include "ignition_sounds.h"
#include "wave_image.h"
#include "test_files.h"

namespace {

const char starter_file[] = "Aircraft\\sound\\kaprelo\\Eg.wav";
const char stop_file[] = "Aircraft\\sound\\kaprelo\\Stop.wav";

class IgnitionSoundLoad : public ::testing::Test {
protected:
    // Writes the two files that are given, then opens the sounds in that folder.
    void open_with(const std::vector<uint8_t> &starter, const std::vector<uint8_t> &stop) {
        if (!starter.empty())
            folder.write(starter_file, starter);
        if (!stop.empty())
            folder.write(stop_file, stop);
        CurrentDirectory here(folder.path());
        ignition_sounds_open();
        ASSERT_NE(nullptr, ignition_sound_device) << "Wine's DirectSound opens on the null device";
    }
    void TearDown() override { ignition_sounds_close(); }

    static DWORD buffer_bytes(const IgnitionSound &sound) {
        DSBCAPS caps = {};
        caps.dwSize = sizeof caps;
        sound.buffer->GetCaps(&caps);
        return caps.dwBufferBytes;
    }
    // The buffer's bytes, read back through a lock.
    static std::vector<uint8_t> contents(const IgnitionSound &sound) {
        void *first, *second;
        DWORD first_length, second_length;
        EXPECT_EQ(DS_OK, sound.buffer->Lock(0, buffer_bytes(sound), &first, &first_length, &second,
                                            &second_length, 0));
        std::vector<uint8_t> bytes(static_cast<uint8_t *>(first),
                                   static_cast<uint8_t *>(first) + first_length);
        sound.buffer->Unlock(first, first_length, second, second_length);
        return bytes;
    }

    TestFolder folder;
};

TEST_F(IgnitionSoundLoad, BuffersLastTheirDurationsAtTheFilesByteRate) {
    open_with(pcm_wave(22050, 16, counting_bytes(1000)), pcm_wave(22050, 16, counting_bytes(1000)));
    ASSERT_NE(nullptr, ignition_starter_sound.buffer);
    ASSERT_NE(nullptr, ignition_stop_sound.buffer);
    EXPECT_EQ(277830u, ignition_starter_sound.buffer_size);
    EXPECT_EQ(277830u, buffer_bytes(ignition_starter_sound));
    EXPECT_EQ(141120u, buffer_bytes(ignition_stop_sound));
    EXPECT_EQ(nullptr, ignition_starter_sound.file) << "files are closed once loaded";
    EXPECT_EQ(nullptr, ignition_starter_sound.format) << "format blocks are freed once loaded";
}

TEST_F(IgnitionSoundLoad, BufferLengthIsNotRoundedToWholeSamples) {
    open_with(pcm_wave(11025, 16, counting_bytes(100)), {});
    ASSERT_NE(nullptr, ignition_starter_sound.buffer);
    EXPECT_EQ(138915u, ignition_starter_sound.buffer_size) << "the length asked of the device";
    // Wine's device rounds a buffer up to whole blocks of its format.
    EXPECT_GE(buffer_bytes(ignition_starter_sound), 138915u);
}

TEST_F(IgnitionSoundLoad, ShortEightBitSoundIsFollowedBySilence) {
    const std::vector<uint8_t> two_seconds = counting_bytes(44100, 1);
    open_with(pcm_wave(22050, 8, two_seconds), {});
    const std::vector<uint8_t> bytes = contents(ignition_starter_sound);
    ASSERT_EQ(138915u, bytes.size());
    EXPECT_TRUE(std::equal(two_seconds.begin(), two_seconds.end(), bytes.begin()));
    EXPECT_EQ(std::vector<uint8_t>(bytes.size() - two_seconds.size(), 0x80),
              std::vector<uint8_t>(bytes.begin() + two_seconds.size(), bytes.end()));
}

TEST_F(IgnitionSoundLoad, LongSixteenBitSoundIsCutToTheBuffer) {
    const std::vector<uint8_t> five_seconds = counting_bytes(220500);
    open_with({}, pcm_wave(22050, 16, five_seconds));
    EXPECT_EQ(nullptr, ignition_starter_sound.buffer);
    const std::vector<uint8_t> bytes = contents(ignition_stop_sound);
    ASSERT_EQ(141120u, bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), five_seconds.begin()));
}

TEST_F(IgnitionSoundLoad, NonPcmSoundGetsNoBufferAndSparesTheOther) {
    const std::vector<uint8_t> adpcm =
        WaveImage().chunk("fmt ", format_block(2, 1, 22050, 4, {0, 0})).chunk("data", counting_bytes(500)).image();
    open_with(adpcm, pcm_wave(22050, 16, counting_bytes(500)));
    EXPECT_EQ(nullptr, ignition_starter_sound.buffer);
    EXPECT_NE(nullptr, ignition_stop_sound.buffer);
    ignition_sound_play(&ignition_starter_sound);  // does nothing
}

TEST_F(IgnitionSoundLoad, PlayStartsFromTheBeginningOnlyWhenNotPlaying) {
    open_with(pcm_wave(22050, 16, counting_bytes(1000)), {});
    IDirectSoundBuffer *buffer = ignition_starter_sound.buffer;
    ASSERT_NE(nullptr, buffer);
    buffer->SetCurrentPosition(5000);
    ignition_sound_play(&ignition_starter_sound);
    DWORD status = 0, position = 0, write = 0;
    buffer->GetStatus(&status);
    EXPECT_TRUE(status & DSBSTATUS_PLAYING);
    EXPECT_FALSE(status & DSBSTATUS_LOOPING);
    buffer->GetCurrentPosition(&position, &write);
    EXPECT_LT(position, 5000u) << "rewound before playing";

    buffer->SetCurrentPosition(100000);
    ignition_sound_play(&ignition_starter_sound);
    buffer->GetCurrentPosition(&position, &write);
    EXPECT_GE(position, 100000u) << "a playing sound goes on undisturbed";

    buffer->Stop();
    ignition_sound_play(&ignition_starter_sound);
    buffer->GetCurrentPosition(&position, &write);
    EXPECT_LT(position, 100000u) << "a stopped sound starts again from the beginning";
}

TEST_F(IgnitionSoundLoad, CloseReleasesBothBuffersAndTheDevice) {
    open_with(pcm_wave(22050, 16, counting_bytes(100)), pcm_wave(22050, 16, counting_bytes(100)));
    // Our own references outlive the module's, and say how many are left.
    IDirectSoundBuffer *starter = ignition_starter_sound.buffer, *stop = ignition_stop_sound.buffer;
    IDirectSound *device = ignition_sound_device;
    starter->AddRef();
    stop->AddRef();
    device->AddRef();
    ignition_sounds_close();
    EXPECT_EQ(nullptr, ignition_starter_sound.buffer);
    EXPECT_EQ(nullptr, ignition_stop_sound.buffer);
    EXPECT_EQ(nullptr, ignition_sound_device);
    EXPECT_EQ(0u, starter->Release());
    EXPECT_EQ(0u, stop->Release());
    EXPECT_EQ(0u, device->Release());
    ignition_sounds_close();  // a second close finds nothing to release
}

TEST_F(IgnitionSoundLoad, MissingFilesLeaveBothSoundsSilent) {
    open_with({}, {});
    EXPECT_EQ(nullptr, ignition_starter_sound.buffer);
    EXPECT_EQ(nullptr, ignition_stop_sound.buffer);
    ignition_sound_play(&ignition_starter_sound);
    ignition_sound_play(&ignition_stop_sound);
}

}  // namespace
