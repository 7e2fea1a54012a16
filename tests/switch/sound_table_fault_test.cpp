// Opening and closing a sound table when the device is a fake that the test
// program's own DirectSoundCreate import hands out, or that import fails.
#include "import_patch.h"
#include "sound_test_fixture.h"

namespace {

FakeSoundDevice *created_device = nullptr;
HRESULT create_result = DS_OK;

HRESULT WINAPI fake_direct_sound_create(LPCGUID guid, LPDIRECTSOUND *device, LPUNKNOWN outer) {
    if (guid != nullptr || outer != nullptr)
        return DSERR_INVALIDPARAM;
    *device = SUCCEEDED(create_result) ? created_device : nullptr;
    return create_result;
}

SoundObject *const untouched = reinterpret_cast<SoundObject *>(0x5EED);

class SoundTableFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, patch.replaced()) << "the test program imports DirectSoundCreate once";
        created_device = &device;
        create_result = DS_OK;
        sound_resource_module = nullptr;
    }
    void TearDown() override { sound_table_close(table); }

    ImportPatch patch{GetModuleHandleA(nullptr), "dsound.dll", "DirectSoundCreate",
                      reinterpret_cast<const void *>(fake_direct_sound_create)};
    FakeSoundDevice device;
    SoundEntry click = {"CLICK", untouched};
    SoundEntry missing = {"NOSUCHSOUND", untouched};
    SoundEntry text = {"NOTWAVE", untouched};
    SoundEntry *table[4] = {&click, &missing, &text, nullptr};
};

TEST_F(SoundTableFaults, NoDeviceLeavesTheRowsUntouchedAndCloseTouchesNothing) {
    create_result = DSERR_NODRIVER;
    sound_table_open(table, GetModuleHandleA(nullptr));
    EXPECT_EQ(GetModuleHandleA(nullptr), sound_resource_module);
    EXPECT_EQ(nullptr, sound_table_device);
    sound_table_close(table);
    for (SoundEntry *row : {&click, &missing, &text})
        EXPECT_EQ(untouched, row->sound) << row->resource_name;
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(SoundTableFaults, RefusedCooperativeLevelReleasesTheDeviceAndLeavesTheRows) {
    device.cooperative_result = DSERR_INVALIDPARAM;
    sound_table_open(table, GetModuleHandleA(nullptr));
    EXPECT_EQ(nullptr, sound_table_device);
    EXPECT_EQ(0, device.references);
    sound_table_close(table);
    EXPECT_EQ((Calls{"device SetCooperativeLevel 1", "device Release"}), device.calls);
    for (SoundEntry *row : {&click, &missing, &text})
        EXPECT_EQ(untouched, row->sound) << row->resource_name;
}

TEST_F(SoundTableFaults, OpenGivesEveryRowItsSoundAndCloseReleasesAllBeforeTheDevice) {
    sound_table_open(table, GetModuleHandleA(nullptr));
    EXPECT_EQ(&device, sound_table_device);
    EXPECT_EQ(GetActiveWindow(), device.cooperative_window);
    EXPECT_EQ(1u, device.cooperative_level);
    ASSERT_NE(nullptr, click.sound);
    EXPECT_EQ(1, click.sound->buffer_count);
    EXPECT_EQ(&device.buffer(0), click.sound->buffers[0]);
    EXPECT_EQ(nullptr, missing.sound) << "a missing resource";
    ASSERT_NE(nullptr, text.sound) << "a resource that is no wave still makes an object";
    EXPECT_EQ(nullptr, text.sound->buffers[0]);
    EXPECT_EQ(1u, device.buffers.size());

    device.calls.clear();
    sound_table_close(table);
    EXPECT_EQ((Calls{"b0 Release", "device Release"}), device.calls);
    for (SoundEntry *row : {&click, &missing, &text})
        EXPECT_EQ(nullptr, row->sound) << row->resource_name;
    EXPECT_EQ(nullptr, sound_table_device);
    EXPECT_EQ(0, device.references);
    EXPECT_FALSE(device.buffers_held());
}

TEST_F(SoundTableFaults, ATableWithNoRowsOpensAndReleasesTheDevice) {
    SoundEntry *empty[] = {nullptr};
    sound_table_open(empty, GetModuleHandleA(nullptr));
    EXPECT_EQ(&device, sound_table_device);
    sound_table_close(empty);
    EXPECT_EQ((Calls{"device SetCooperativeLevel 1", "device Release"}), device.calls);
    EXPECT_EQ(0, device.references);
}

}  // namespace
