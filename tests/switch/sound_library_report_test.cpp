// What the sound library tells a debugger: one line for each refusal, naming
// the resource or the device, the reason and the device's code; nothing when
// a sound is made and played.
#include "debug_lines.h"
#include "import_patch.h"
#include "sound_report.h"
#include "sound_test_fixture.h"

namespace {

class SoundLibraryReports : public FakeDeviceTest {
protected:
    void SetUp() override {
        FakeDeviceTest::SetUp();
        ASSERT_TRUE(debug.hooked) << "the library calls the test program's OutputDebugStringA";
    }
    DebugLines debug;
};

TEST_F(SoundLibraryReports, UsableWaveMakesAndPlaysWithoutALine) {
    make(3);
    ASSERT_NE(nullptr, object->buffers[2]);
    EXPECT_EQ(1, sound_object_play(object, 0));
    EXPECT_EQ(Lines{}, debug.take());
}

TEST_F(SoundLibraryReports, MissingResourceIsNamed) {
    EXPECT_EQ(nullptr, make(1, "NOSUCHSOUND"));
    EXPECT_EQ(Lines{"NOSUCHSOUND: no such RCDATA resource"}, debug.take());
}

TEST_F(SoundLibraryReports, ResourceThatIsNoWaveIsNamedBeforeTheDevicesRefusal) {
    make(1, "NOTWAVE");
    EXPECT_EQ((Lines{"NOTWAVE: not a RIFF WAVE image", "NOTWAVE: buffer not created (0x80070057)"}),
              debug.take());
}

TEST_F(SoundLibraryReports, WaveCutShortSaysItsDataAreMissing) {
    for (const char *name : {"TRUNCATED", "HEADERCUT"}) {
        make(1, name);
        const std::string who = name;
        EXPECT_EQ((Lines{who + ": no sound data: \"data\" chunk missing, cut short or empty",
                         who + ": buffer not created (0x80070057)"}),
                  debug.take());
        start_over();
    }
}

TEST_F(SoundLibraryReports, DeviceRefusalsCarryTheirCodes) {
    device.create_result = DSERR_OUTOFMEMORY;
    make(1);
    EXPECT_EQ(Lines{"CLICK: buffer not created (0x8007000E)"}, debug.take());
    start_over();

    device.create_result = DS_OK;
    device.new_buffer_positioning_result = E_NOINTERFACE;
    make(1);
    EXPECT_EQ(Lines{"CLICK: buffer offers no 3D positioning, released (0x80004002)"}, debug.take());
    start_over();

    device.new_buffer_positioning_result = S_FALSE;
    make(1);
    EXPECT_EQ(Lines{"CLICK: buffer offers no 3D positioning, released (0x00000001)"}, debug.take());
}

TEST_F(SoundLibraryReports, FailedDuplicateIsToldAndSoIsTheObjectGivenUp) {
    device.duplicate_result = DSERR_OUTOFMEMORY;
    make(2);
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(Lines{"CLICK: buffer not duplicated, made afresh (0x8007000E)"}, debug.take());
    start_over();

    device.create_failures_after = 1;
    EXPECT_EQ(nullptr, make(2));
    EXPECT_EQ((Lines{"CLICK: buffer not duplicated, made afresh (0x8007000E)",
                     "CLICK: buffer not created (0x8007000E)",
                     "CLICK: a further buffer not made, sound object given up"}),
              debug.take());
}

TEST_F(SoundLibraryReports, LostBufferThatCannotBeWrittenAgainIsTold) {
    make(1);
    FakeSoundBuffer &buffer = device.buffer(0);
    buffer.status = DSBSTATUS_BUFFERLOST;
    buffer.restore_result = DSERR_BUFFERLOST;
    EXPECT_EQ(0, sound_object_play(object, 0));
    EXPECT_EQ(Lines{"sound buffer: lost and not restored (0x88780096)"}, debug.take());

    buffer.restore_result = DS_OK;
    buffer.lock_result = DSERR_INVALIDCALL;
    EXPECT_EQ(0, sound_object_play(object, 0));
    EXPECT_EQ(Lines{"sound buffer: not locked (0x88780032)"}, debug.take());
}

TEST_F(SoundLibraryReports, ReloadNamesItsResource) {
    make(1);
    FakeSoundBuffer &buffer = device.buffer(0);
    EXPECT_EQ(0, sound_buffer_reload(&buffer, "NOSUCHSOUND"));
    EXPECT_EQ(Lines{"NOSUCHSOUND: no such RCDATA resource"}, debug.take());
    buffer.restore_result = DSERR_OUTOFMEMORY;
    EXPECT_EQ(0, sound_buffer_reload(&buffer, "CLICK"));
    EXPECT_EQ(Lines{"CLICK: buffer not restored (0x8007000E)"}, debug.take());
}

// The table's device, from the test program's own DirectSoundCreate import.
FakeSoundDevice *table_device = nullptr;
HRESULT table_device_result = DS_OK;

HRESULT WINAPI table_direct_sound_create(LPCGUID, LPDIRECTSOUND *device, LPUNKNOWN) {
    *device = SUCCEEDED(table_device_result) ? table_device : nullptr;
    return table_device_result;
}

class SoundTableReports : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, patch.replaced());
        ASSERT_TRUE(debug.hooked);
        table_device = &device;
    }
    void TearDown() override { sound_table_close(table); }

    ImportPatch patch{GetModuleHandleA(nullptr), "dsound.dll", "DirectSoundCreate",
                      reinterpret_cast<const void *>(table_direct_sound_create)};
    DebugLines debug;
    FakeSoundDevice device;
    SoundEntry click = {"CLICK", nullptr};
    SoundEntry *table[2] = {&click, nullptr};
};

TEST_F(SoundTableReports, DeviceNotOpenedCarriesItsCode) {
    table_device_result = DSERR_NODRIVER;
    sound_table_open(table, GetModuleHandleA(nullptr));
    table_device_result = DS_OK;
    EXPECT_EQ(Lines{"sound device: not opened (0x88780078)"}, debug.take());
}

TEST_F(SoundTableReports, RefusedCooperativeLevelCarriesItsCode) {
    device.cooperative_result = DSERR_INVALIDPARAM;
    sound_table_open(table, GetModuleHandleA(nullptr));
    EXPECT_EQ(Lines{"sound device: cooperative level refused, device released (0x80070057)"},
              debug.take());
}

// Wine's own device refuses what is no wave, with its own code.
TEST(SoundReportsOnTheDevice, ResourceThatIsNoWaveIsRefusedByTheRealDevice) {
    DebugLines debug;
    sound_resource_module = GetModuleHandleA(nullptr);
    SoundDevice device = nullptr;
    ASSERT_EQ(DS_OK, sound_device_create(&device));
    EXPECT_EQ(nullptr, sound_buffer_create(device, "NOTWAVE"));
    EXPECT_EQ(nullptr, sound_buffer_create(device, "TRUNCATED"));
    sound_device_release(&device);
    EXPECT_EQ((Lines{"NOTWAVE: not a RIFF WAVE image", "NOTWAVE: buffer not created (0x80070057)",
                     "TRUNCATED: no sound data: \"data\" chunk missing, cut short or empty",
                     "TRUNCATED: buffer not created (0x80070057)"}),
              debug.take());
}

TEST(SoundReportLine, HexCodesHaveEightDigits) {
    char text[SOUND_REPORT_HEX_SIZE];
    EXPECT_STREQ("0x00000000", sound_report_hex(text, 0));
    EXPECT_STREQ("0x88780078", sound_report_hex(text, 0x88780078u));
    EXPECT_STREQ("0xFFFFFFFF", sound_report_hex(text, 0xFFFFFFFFu));
    EXPECT_STREQ("0x0000E10A", sound_report_hex(text, 0xE10Au));
}

TEST(SoundReportLine, OverlongSubjectIsCutAndTheLineStillEnds) {
    DebugLines debug;
    const std::string subject(1000, 'x');
    sound_report_code(subject.c_str(), "reason", 1);
    sound_report("", "second line");
    const Lines lines = debug.take();
    ASSERT_EQ(2u, lines.size()) << "the cut line ends, so the next one stands alone";
    EXPECT_EQ(std::string(SOUND_REPORT_LINE_SIZE - 2, 'x'), lines[0]);
    EXPECT_EQ(": second line", lines[1]);
}

}  // namespace
