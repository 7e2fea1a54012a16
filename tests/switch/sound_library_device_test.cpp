// The sound library on Wine's real DirectSound (a silent device: ALSA's
// default is the null device in the tests' HOME), with the test program's
// own wave resources.
#include "sound_test_fixture.h"

namespace {

DWORD status_of(IDirectSoundBuffer *buffer) {
    DWORD status = 0;
    EXPECT_EQ(DS_OK, buffer->GetStatus(&status));
    return status;
}

// Waits until the buffer's sound has ended; false when it has not within two seconds.
bool ends(IDirectSoundBuffer *buffer) {
    for (int wait = 0; wait < 200; ++wait) {
        if ((status_of(buffer) & DSBSTATUS_PLAYING) == 0)
            return true;
        Sleep(10);
    }
    return false;
}

class SoundOnTheDevice : public ::testing::Test {
protected:
    void SetUp() override {
        sound_table_open(table, GetModuleHandleA(nullptr));
        ASSERT_NE(nullptr, sound_table_device) << "DirectSoundCreate in the test prefix";
    }
    void TearDown() override { sound_table_close(table); }

    IDirectSoundBuffer *click_buffer() { return click.sound->buffers[0]; }

    SoundEntry click = {"CLICK", nullptr};
    SoundEntry missing = {"NOSUCHSOUND", nullptr};
    SoundEntry text = {"NOTWAVE", nullptr};
    SoundEntry *table[4] = {&click, &missing, &text, nullptr};
};

TEST_F(SoundOnTheDevice, OpenMakesOneStaticBufferHoldingTheClick) {
    ASSERT_NE(nullptr, click.sound);
    EXPECT_EQ(1, click.sound->buffer_count);
    EXPECT_EQ(0, click.sound->current_buffer);
    EXPECT_EQ(click_samples(), click.sound->wave_data);
    EXPECT_EQ(click_size, click.sound->wave_size);
    ASSERT_NE(nullptr, click_buffer());

    DSBCAPS caps = {};
    caps.dwSize = sizeof caps;
    ASSERT_EQ(DS_OK, click_buffer()->GetCaps(&caps));
    EXPECT_EQ(click_size, caps.dwBufferBytes);
    const DWORD asked = DSBCAPS_STATIC | DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY |
                        DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GETCURRENTPOSITION2;
    EXPECT_EQ(asked, caps.dwFlags & asked) << std::hex << caps.dwFlags;

    void *bytes = nullptr;
    DWORD length = 0;
    ASSERT_EQ(DS_OK, click_buffer()->Lock(0, click_size, &bytes, &length, nullptr, nullptr, 0));
    EXPECT_EQ(click_size, length);
    EXPECT_EQ(0, memcmp(bytes, click_samples(), click_size)) << "the buffer holds the samples";
    click_buffer()->Unlock(bytes, length, nullptr, 0);

    EXPECT_EQ(nullptr, missing.sound);
    ASSERT_NE(nullptr, text.sound);
    EXPECT_EQ(nullptr, text.sound->buffers[0]) << "the device refuses a resource that is no wave";
    EXPECT_EQ(0, sound_entry_play(&text, 0));
    EXPECT_EQ(1, sound_entry_stop(&text));
}

TEST_F(SoundOnTheDevice, ABusyBufferIsLeftAloneAndPlaysAgainOnceItHasEnded) {
    sound_entry_set_frequency(&click, 100);  // 13 seconds of sound
    EXPECT_EQ(1, sound_entry_play(&click, 0));
    EXPECT_TRUE(status_of(click_buffer()) & DSBSTATUS_PLAYING);
    Sleep(100);
    DWORD before = 0, after = 0;
    click_buffer()->GetCurrentPosition(&before, nullptr);
    EXPECT_EQ(0, sound_entry_play(&click, 0));
    click_buffer()->GetCurrentPosition(&after, nullptr);
    EXPECT_TRUE(status_of(click_buffer()) & DSBSTATUS_PLAYING);
    EXPECT_GE(after, before) << "not restarted";
    sound_entry_set_volume(&click, -1000);
    LONG volume = 1;
    click_buffer()->GetVolume(&volume);
    EXPECT_EQ(0, volume) << "a setter leaves the sound in progress alone";

    EXPECT_EQ(1, sound_entry_stop(&click));
    EXPECT_FALSE(status_of(click_buffer()) & DSBSTATUS_PLAYING);
    click_buffer()->GetCurrentPosition(&after, nullptr);
    EXPECT_EQ(0u, after) << "stop rewinds";

    sound_entry_set_frequency(&click, 22050);
    EXPECT_EQ(1, sound_entry_play(&click, 0));
    ASSERT_TRUE(ends(click_buffer())) << "a one-shot click ends";
    EXPECT_EQ(1, sound_entry_play(&click, 0)) << "and plays again";
}

TEST_F(SoundOnTheDevice, LoopingPlaysOnTheOnlyBuffer) {
    EXPECT_EQ(1, sound_entry_play(&click, DSBPLAY_LOOPING));
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING),
              status_of(click_buffer()) & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    Sleep(150);  // longer than the click
    EXPECT_TRUE(status_of(click_buffer()) & DSBSTATUS_PLAYING);
    EXPECT_EQ(1, sound_entry_stop(&click));
}

TEST_F(SoundOnTheDevice, SettersReachTheDeviceWithinItsRanges) {
    IDirectSoundBuffer *buffer = click_buffer();
    LONG value = 0;
    DWORD frequency = 0;
    sound_entry_set_pan(&click, 20000);
    buffer->GetPan(&value);
    EXPECT_EQ(10000, value);
    sound_entry_set_pan(&click, -20000);
    buffer->GetPan(&value);
    EXPECT_EQ(-10000, value);
    sound_entry_set_volume(&click, 1);
    buffer->GetVolume(&value);
    EXPECT_EQ(0, value);
    sound_entry_set_volume(&click, -20000);
    buffer->GetVolume(&value);
    EXPECT_EQ(-10000, value);
    sound_entry_set_frequency(&click, 50);
    buffer->GetFrequency(&frequency);
    EXPECT_EQ(100u, frequency);
    sound_entry_set_frequency(&click, 0xFFFFFFFFu);
    buffer->GetFrequency(&frequency);
    EXPECT_EQ(100000u, frequency);
}

TEST_F(SoundOnTheDevice, ThreeBuffersTakeTurnsAndTheFourthPlayRestartsTheFirst) {
    SoundObject *object = sound_object_create(sound_table_device, "CLICK", 3);
    ASSERT_NE(nullptr, object);
    for (int slot = 0; slot < 3; ++slot) {
        ASSERT_NE(nullptr, object->buffers[slot]) << "slot " << slot;
        object->buffers[slot]->SetFrequency(100);  // each sounds for 13 seconds
    }
    EXPECT_NE(object->buffers[0], object->buffers[1]);
    EXPECT_NE(object->buffers[1], object->buffers[2]);
    const int32_t index_after[4] = {0, 1, 2, 0};
    for (int play = 0; play < 4; ++play) {
        EXPECT_EQ(1, sound_object_play(object, 0)) << "play " << play + 1;
        EXPECT_EQ(index_after[play], object->current_buffer) << "play " << play + 1;
    }
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_TRUE(status_of(object->buffers[slot]) & DSBSTATUS_PLAYING) << "slot " << slot;
    EXPECT_EQ(0, sound_object_play(object, DSBPLAY_LOOPING));
    EXPECT_EQ(0, object->current_buffer);
    sound_object_destroy(object);
}

TEST(SoundTableOnTheDevice, ATableWithNoRowsOpensAndClosesTheDevice) {
    SoundEntry *empty[] = {nullptr};
    sound_table_open(empty, GetModuleHandleA(nullptr));
    EXPECT_NE(nullptr, sound_table_device);
    sound_table_close(empty);
    EXPECT_EQ(nullptr, sound_table_device);
}

}  // namespace
