// Sound objects and buffers on a fake device: the buffer each play takes,
// lost buffers, failing calls, split locks and the setters' ranges.
#include "sound_test_fixture.h"

namespace {

class SoundObjectFaults : public FakeDeviceTest {
protected:
    // The device takes the buffer's memory away; what Restore hands back holds no sound.
    static void lose(FakeSoundBuffer &buffer) {
        buffer.status |= DSBSTATUS_BUFFERLOST;
        std::fill(buffer.memory->begin(), buffer.memory->end(), 0);
    }
};

TEST_F(SoundObjectFaults, BufferIsDescribedFromTheResourceFilledAndKeepsNo3DReference) {
    IDirectSoundBuffer *buffer = sound_buffer_create(&device, "CLICK");
    ASSERT_EQ(&device.buffer(0), buffer);
    ASSERT_EQ(1u, device.descriptions.size());
    const DSBUFFERDESC1 &description = device.descriptions[0];
    EXPECT_EQ(20u, description.dwSize);
    EXPECT_EQ(0x000100F2u, description.dwFlags);
    EXPECT_EQ(click_size, description.dwBufferBytes);
    EXPECT_EQ(0u, description.dwReserved);
    EXPECT_EQ(test_resource("CLICK") + 20, reinterpret_cast<uint8_t *>(description.lpwfxFormat));
    EXPECT_EQ((Calls{"device CreateSoundBuffer", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0",
                     "b0 QueryInterface"}),
              calls());
    EXPECT_TRUE(holds_click(*device.buffer(0).memory));
    EXPECT_EQ(1, device.buffer(0).references) << "the caller's one reference";
    EXPECT_EQ(0, device.buffer(0).positioning.references) << "the 3D interface is released";
    buffer->Release();
}

TEST_F(SoundObjectFaults, BufferWithout3DOrWithAnyOtherAnswerThanSOkIsReleased) {
    for (HRESULT answer : {E_NOINTERFACE, S_FALSE}) {
        device.new_buffer_positioning_result = answer;
        EXPECT_EQ(nullptr, sound_buffer_create(&device, "CLICK")) << std::hex << answer;
    }
    EXPECT_FALSE(device.buffers_held());
}

TEST_F(SoundObjectFaults, BufferTheDeviceRefusesOrANameNotFoundGivesNull) {
    device.create_result = DSERR_OUTOFMEMORY;
    EXPECT_EQ(nullptr, sound_buffer_create(&device, "CLICK"));
    device.create_result = DS_OK;
    EXPECT_EQ(nullptr, sound_buffer_create(&device, "NOTWAVE")) << "null format, length 0";
    EXPECT_EQ(nullptr, sound_buffer_create(&device, "TRUNCATED")) << "length 0";
    device.calls.clear();
    EXPECT_EQ(nullptr, sound_buffer_create(&device, "NOSUCHSOUND"));
    EXPECT_TRUE(calls().empty());
}

TEST_F(SoundObjectFaults, FillWritesBothPartsOfASplitLockAndHandsThemBack) {
    FakeSoundBuffer buffer(device, "loose", std::make_shared<std::vector<uint8_t>>(click_size));
    buffer.lock_split = 1000;
    EXPECT_EQ(1, sound_buffer_fill(&buffer, click_samples(), click_size));
    EXPECT_EQ(0, memcmp(buffer.memory->data(), click_samples(), 1000));
    ASSERT_EQ(322u, buffer.second_part.size());
    EXPECT_EQ(0, memcmp(buffer.second_part.data(), click_samples() + 1000, 322));
    EXPECT_EQ((Calls{"loose Lock 0 1322 0", "loose Unlock 1 1000 1 322"}), calls());
}

TEST_F(SoundObjectFaults, FillRefusesNothingToWriteAndAFailedLock) {
    FakeSoundBuffer buffer(device, "loose", std::make_shared<std::vector<uint8_t>>(16));
    EXPECT_EQ(0, sound_buffer_fill(nullptr, click_samples(), 16));
    EXPECT_EQ(0, sound_buffer_fill(&buffer, nullptr, 16));
    EXPECT_EQ(0, sound_buffer_fill(&buffer, click_samples(), 0));
    EXPECT_TRUE(calls().empty());
    buffer.lock_result = DSERR_INVALIDCALL;
    EXPECT_EQ(0, sound_buffer_fill(&buffer, click_samples(), 16));
    EXPECT_EQ((Calls{"loose Lock 0 16 0"}), calls()) << "nothing to unlock";
}

TEST_F(SoundObjectFaults, OneBusyBufferGivesZeroAndIsNeitherRestartedNorInterrupted) {
    ASSERT_NE(nullptr, make(1));
    device.buffer(0).status = DSBSTATUS_PLAYING;
    EXPECT_EQ(0, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus"}), calls());
    device.buffer(0).status = 0;  // its sound has ended
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 0"}), calls());
}

TEST_F(SoundObjectFaults, FourOverlappingPlaysOnThreeBuffersCutOffTheFirstAndRestartIt) {
    ASSERT_NE(nullptr, make(3));
    ASSERT_EQ(3u, device.buffers.size());
    EXPECT_EQ(1u, device.descriptions.size()) << "slots 1 and 2 are duplicates";
    const Calls expected[4] = {
        {"b0 GetStatus", "b0 Play 0 0 0"},
        {"b0 GetStatus", "b1 GetStatus", "b1 Play 0 0 0"},
        {"b1 GetStatus", "b2 GetStatus", "b2 Play 0 0 0"},
        {"b2 GetStatus", "b0 GetStatus", "b0 Stop", "b0 SetCurrentPosition 0", "b0 Play 0 0 0"},
    };
    const int32_t index_after[4] = {0, 1, 2, 0};
    for (int play = 0; play < 4; ++play) {
        EXPECT_EQ(1, sound_object_play(object, 0)) << "play " << play + 1;
        EXPECT_EQ(expected[play], calls()) << "play " << play + 1;
        EXPECT_EQ(index_after[play], object->current_buffer) << "play " << play + 1;
    }
}

TEST_F(SoundObjectFaults, PlaysSpacedApartAllUseSlotZero) {
    ASSERT_NE(nullptr, make(3));
    for (int play = 0; play < 3; ++play) {
        EXPECT_EQ(1, sound_object_play(object, 0));
        EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 0"}), calls());
        device.buffer(0).status = 0;
    }
    EXPECT_EQ(0, object->current_buffer);
}

TEST_F(SoundObjectFaults, LoopingIsPassedOnForOneBufferAndRefusedUntouchedForSeveral) {
    ASSERT_NE(nullptr, make(1));
    EXPECT_EQ(1, sound_object_play(object, DSBPLAY_LOOPING));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 1"}), calls());
    start_over();

    ASSERT_NE(nullptr, make(2));
    device.buffer(0).status = DSBSTATUS_PLAYING;
    EXPECT_EQ(0, sound_object_play(object, DSBPLAY_LOOPING));
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(0, object->current_buffer);
}

TEST_F(SoundObjectFaults, LostBufferIsRestoredAndRefilledFromTheStoredSamples) {
    ASSERT_NE(nullptr, make(1));
    FakeSoundBuffer &buffer = device.buffer(0);
    std::fill(buffer.memory->begin(), buffer.memory->end(), 0);
    buffer.status = DSBSTATUS_BUFFERLOST;
    sound_resource_module = nullptr;  // the play path makes no resource lookup
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Restore", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0",
                     "b0 Play 0 0 0"}),
              calls());
    EXPECT_TRUE(holds_click(*buffer.memory));
}

TEST_F(SoundObjectFaults, LostBufferThatCannotBeRestoredOrRefilledGivesZeroAndIsTriedAgain) {
    ASSERT_NE(nullptr, make(1));
    FakeSoundBuffer &buffer = device.buffer(0);
    lose(buffer);
    buffer.restore_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Restore"}), calls());
    buffer.restore_result = DS_OK;
    buffer.lock_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Restore", "b0 Lock 0 1322 0"}), calls());
    // Restored, the buffer no longer reports lost; it is still filled before it plays.
    EXPECT_EQ(0, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Lock 0 1322 0"}), calls());
    buffer.lock_result = DS_OK;
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0", "b0 Play 0 0 0"}),
              calls());
    EXPECT_TRUE(holds_click(*buffer.memory));
    EXPECT_EQ(&buffer, object->buffers[0]);
    buffer.status = 0;
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 0"}), calls()) << "filled once, then played as it is";
}

TEST_F(SoundObjectFaults, SetterOnARestoredButUnfilledBufferFillsItFirst) {
    ASSERT_NE(nullptr, make(1));
    FakeSoundBuffer &buffer = device.buffer(0);
    lose(buffer);
    buffer.lock_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_object_play(object, 0));
    calls();
    sound_entry_set_volume(&entry, -500);
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Lock 0 1322 0"}), calls()) << "nothing set";
    buffer.lock_result = DS_OK;
    sound_entry_set_pan(&entry, 300);
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0", "b0 SetPan 300"}),
              calls());
    EXPECT_TRUE(holds_click(*buffer.memory));
    sound_entry_set_frequency(&entry, 8000);
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 SetFrequency 8000"}), calls());
}

TEST_F(SoundObjectFaults, ReloadThatRestoresButDoesNotFillLeavesTheRefillToTheNextPlay) {
    ASSERT_NE(nullptr, make(1));
    FakeSoundBuffer &buffer = device.buffer(0);
    std::fill(buffer.memory->begin(), buffer.memory->end(), 0);  // what Restore handed back
    buffer.lock_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_buffer_reload(&buffer, "CLICK"));
    EXPECT_EQ((Calls{"b0 Restore", "b0 Lock 0 1322 0"}), calls());
    buffer.restore_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_buffer_reload(&buffer, "CLICK"));
    EXPECT_EQ((Calls{"b0 Restore"}), calls());
    buffer.restore_result = DS_OK;
    buffer.lock_result = DS_OK;
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0", "b0 Play 0 0 0"}),
              calls());
    EXPECT_TRUE(holds_click(*buffer.memory));
}

TEST_F(SoundObjectFaults, ReloadThatFillsTheBufferEndsAPendingRefill) {
    ASSERT_NE(nullptr, make(1));
    FakeSoundBuffer &buffer = device.buffer(0);
    lose(buffer);
    buffer.lock_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_object_play(object, 0));
    buffer.lock_result = DS_OK;
    calls();
    EXPECT_EQ(1, sound_buffer_reload(&buffer, "CLICK"));
    EXPECT_EQ((Calls{"b0 Restore", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0"}), calls());
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 0"}), calls());
}

TEST_F(SoundObjectFaults, EachSlotKeepsItsOwnPendingRefill) {
    device.duplicate_result = DSERR_OUTOFMEMORY;  // three buffers, each its own memory
    ASSERT_NE(nullptr, make(3));
    FakeSoundBuffer &last = device.buffer(2);
    std::fill(last.memory->begin(), last.memory->end(), 0);
    last.lock_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_buffer_reload(&last, "CLICK"));
    last.lock_result = DS_OK;
    calls();
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 0"}), calls());
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b1 GetStatus", "b1 Play 0 0 0"}), calls());
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b1 GetStatus", "b2 GetStatus", "b2 Lock 0 1322 0", "b2 Unlock 1 1322 0 0",
                     "b2 Play 0 0 0"}),
              calls());
    EXPECT_TRUE(holds_click(*last.memory));
}

TEST_F(SoundObjectFaults, FailingStatusQueryCountsAsIdleAndFailingPlayAsZero) {
    ASSERT_NE(nullptr, make(1));
    device.buffer(0).status_result = DSERR_INVALIDCALL;
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ((Calls{"b0 GetStatus", "b0 Play 0 0 0"}), calls());
    device.buffer(0).status_result = DS_OK;
    device.buffer(0).status = 0;
    device.buffer(0).play_result = DSERR_PRIOLEVELNEEDED;
    EXPECT_EQ(0, sound_object_play(object, 0));
}

TEST_F(SoundObjectFaults, FailingDuplicateIsReplacedByAFreshBuffer) {
    device.duplicate_result = DSERR_OUTOFMEMORY;
    ASSERT_NE(nullptr, make(3));
    ASSERT_EQ(3u, device.buffers.size());
    EXPECT_EQ(3u, device.descriptions.size()) << "each slot made from the resource";
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(&device.buffer(slot), object->buffers[slot]) << "slot " << slot;
        EXPECT_TRUE(holds_click(*device.buffer(slot).memory)) << "slot " << slot;
    }
}

TEST_F(SoundObjectFaults, FailingFreshBufferFailsTheObjectAndReleasesWhatWasMade) {
    device.duplicate_result = DSERR_OUTOFMEMORY;
    device.create_failures_after = 2;
    EXPECT_EQ(nullptr, make(3));
    EXPECT_EQ(2u, device.buffers.size());
    EXPECT_FALSE(device.buffers_held());
}

TEST_F(SoundObjectFaults, ResourceWithNoUsableWaveMakesASilentObjectOfOneBufferOnly) {
    for (const char *name : {"NOTWAVE", "TRUNCATED"}) {
        ASSERT_NE(nullptr, make(1, name)) << name;
        EXPECT_EQ(nullptr, object->buffers[0]) << name;
        EXPECT_EQ(0, sound_object_play(object, 0)) << name;
        EXPECT_EQ(1, sound_object_stop(object)) << name;
        sound_entry_set_volume(&entry, -100);
        EXPECT_TRUE(calls().empty()) << name;
        sound_object_destroy(object);
        EXPECT_EQ(nullptr, make(2, name)) << name;
        object = nullptr;
    }
    EXPECT_TRUE(device.buffers.empty());
}

TEST_F(SoundObjectFaults, CountsBelowOneGiveOneBufferAndAnImpossibleCountNone) {
    for (int32_t count : {0, -1, INT32_MIN}) {
        ASSERT_NE(nullptr, make(count)) << count;
        EXPECT_EQ(1, object->buffer_count) << count;
        EXPECT_EQ(test_resource("CLICK") + 58, object->wave_data);
        EXPECT_EQ(click_size, object->wave_size);
        start_over();
    }
    // Its block would not fit in the address space; the slots are never written.
    EXPECT_EQ(nullptr, make(INT32_MAX));
    EXPECT_TRUE(device.buffers.empty());
    EXPECT_EQ(nullptr, make(1, "NOSUCHSOUND"));
}

TEST_F(SoundObjectFaults, SettersBringValuesIntoTheDeviceRanges) {
    ASSERT_NE(nullptr, make(1));
    const struct {
        void (*set)(SoundEntry *, int64_t);
        int64_t value;
        const char *call;
    } cases[] = {
        {[](SoundEntry *e, int64_t v) { sound_entry_set_pan(e, int32_t(v)); }, 20000, "SetPan 10000"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_pan(e, int32_t(v)); }, -20000, "SetPan -10000"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_pan(e, int32_t(v)); }, -300, "SetPan -300"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_volume(e, int32_t(v)); }, 1, "SetVolume 0"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_volume(e, int32_t(v)); }, -20000, "SetVolume -10000"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_volume(e, int32_t(v)); }, -600, "SetVolume -600"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_frequency(e, uint32_t(v)); }, 50, "SetFrequency 100"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_frequency(e, uint32_t(v)); }, 200000, "SetFrequency 100000"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_frequency(e, uint32_t(v)); }, 0xFFFFFFFF, "SetFrequency 100000"},
        {[](SoundEntry *e, int64_t v) { sound_entry_set_frequency(e, uint32_t(v)); }, 44100, "SetFrequency 44100"},
    };
    for (const auto &setter : cases) {
        setter.set(&entry, setter.value);
        EXPECT_EQ((Calls{"b0 GetStatus", std::string("b0 ") + setter.call}), calls())
            << setter.value;
    }
}

TEST_F(SoundObjectFaults, SettersGoToTheBufferTheNextPlayWouldUse) {
    ASSERT_NE(nullptr, make(1));
    device.buffer(0).status = DSBSTATUS_PLAYING;
    sound_entry_set_pan(&entry, 100);
    EXPECT_EQ((Calls{"b0 GetStatus"}), calls()) << "the sound in progress keeps its settings";
    start_over();

    ASSERT_NE(nullptr, make(2));
    device.buffer(0).status = DSBSTATUS_PLAYING;
    sound_entry_set_volume(&entry, -500);
    EXPECT_EQ((Calls{"b0 GetStatus", "b1 GetStatus", "b1 SetVolume -500"}), calls());
    EXPECT_EQ(1, object->current_buffer);
    device.buffer(1).status = DSBSTATUS_BUFFERLOST;
    sound_entry_set_frequency(&entry, 8000);
    EXPECT_EQ((Calls{"b1 GetStatus", "b1 Restore", "b1 Lock 0 1322 0", "b1 Unlock 1 1322 0 0",
                     "b1 SetFrequency 8000"}),
              calls());
}

TEST_F(SoundObjectFaults, StopRewindsEveryBufferAndKeepsTheIndex) {
    ASSERT_NE(nullptr, make(3));
    sound_object_play(object, 0);
    sound_object_play(object, 0);
    calls();
    EXPECT_EQ(1, sound_entry_stop(&entry));
    EXPECT_EQ((Calls{"b0 Stop", "b0 SetCurrentPosition 0", "b1 Stop", "b1 SetCurrentPosition 0",
                     "b2 Stop", "b2 SetCurrentPosition 0"}),
              calls());
    EXPECT_EQ(1, object->current_buffer);
    EXPECT_EQ(1, sound_entry_play(&entry, 0));
    EXPECT_EQ((Calls{"b1 GetStatus", "b1 Play 0 0 0"}), calls()) << "from slot current_buffer";

    SoundEntry silent = {"NOSUCHSOUND", nullptr};
    EXPECT_EQ(0, sound_entry_stop(&silent));
    EXPECT_EQ(0, sound_entry_play(&silent, 0));
    sound_entry_set_pan(&silent, 0);
    EXPECT_EQ(nullptr, sound_object_next_buffer(nullptr));
}

TEST_F(SoundObjectFaults, ReloadRestoresAndRefillsFromTheResource) {
    ASSERT_NE(nullptr, make(1));
    FakeSoundBuffer &buffer = device.buffer(0);
    std::fill(buffer.memory->begin(), buffer.memory->end(), 0);
    EXPECT_EQ(1, sound_buffer_reload(&buffer, "CLICK"));
    EXPECT_EQ((Calls{"b0 Restore", "b0 Lock 0 1322 0", "b0 Unlock 1 1322 0 0"}), calls());
    EXPECT_TRUE(holds_click(*buffer.memory));

    buffer.restore_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_buffer_reload(&buffer, "CLICK"));
    EXPECT_EQ((Calls{"b0 Restore"}), calls());
    EXPECT_EQ(0, sound_buffer_reload(&buffer, "NOSUCHSOUND"));
    EXPECT_EQ(0, sound_buffer_reload(nullptr, "CLICK"));
    EXPECT_TRUE(calls().empty());
}

}  // namespace
