// The ignition gauge file's exports, header, element tree, mouse list and
// resources, read word by word as the host reads them.
#include <windows.h>

#include <string>

#include "loaded_gauge_test.h"

namespace {

class IgnitionRecords : public LoadedGaugeTest {
protected:
    IgnitionRecords() : LoadedGaugeTest("Delvarotine.gau") {}
};

void expect_words(const uint32_t *expected, const uint32_t *words, int count, const char *what) {
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(expected[i], words[i]) << what << " word " << i;
}

// The names the module exports, read from its export directory.
std::vector<std::string> exported_names(HMODULE module) {
    const BYTE *base = reinterpret_cast<const BYTE *>(module);
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const IMAGE_NT_HEADERS32 *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> names;
    if (entry.VirtualAddress == 0)
        return names;
    const IMAGE_EXPORT_DIRECTORY *exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + entry.VirtualAddress);
    const DWORD *name_rvas = reinterpret_cast<const DWORD *>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.push_back(reinterpret_cast<const char *>(base + name_rvas[i]));
    return names;
}

TEST(IgnitionExports, OnlyLinkageAndAnImportTableAskingForThePanelServices) {
    std::string error;
    auto file = panel_host::GaugeFile::load(panel_host::program_folder() + "Delvarotine.gau", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ((std::vector<std::string>{"ImportTable", "Linkage"}), exported_names(file->module()));
    const uint32_t imports[4] = {0x0F, 0, 0, 0};
    expect_words(imports, words_of(file->imports()), 4, "ImportTable");
}

TEST_F(IgnitionRecords, LinkageListsTheOneHeaderAndItsStartRoutineDoesNothing) {
    const uint32_t *linkage = words_of(gauge.file->linkage());
    EXPECT_NE(0u, linkage[1]);
    const uint32_t expected[8] = {0x13, linkage[1], linkage[1], 0, 0, 0, word_of(gauge.header), 0};
    expect_words(expected, linkage, 8, "Linkage");
    gauge.file->linkage()->module_start();
    gauge.file->linkage()->module_end();
    EXPECT_TRUE(gauge.host.calls.empty());
}

TEST_F(IgnitionRecords, HeaderNamesTheGaugeItsSevenRoutinesAndWidth) {
    const uint32_t *header = words_of(gauge.header);
    EXPECT_STREQ("Delvarotine", gauge.header->name);
    for (int i = 3; i <= 9; ++i) {
        EXPECT_NE(0u, header[i]) << "routine word " << i;
        for (int j = 3; j < i; ++j)
            EXPECT_NE(header[j], header[i]) << "routine words " << j << " and " << i;
    }
    uint32_t expected[22] = {610, header[1], header[2]};
    for (int i = 3; i <= 9; ++i)
        expected[i] = header[i];
    expected[11] = 100;
    expect_words(expected, header, 22, "GaugeHeader");
    EXPECT_EQ(word_of(gauge.head()), words_of(gauge.header->element_list)[0]);
}

TEST_F(IgnitionRecords, BackgroundHoldsTheLampsAndThePictureInOrder) {
    const uint32_t *background = words_of(gauge.head());
    const uint32_t expected[20] = {0, 0x100, 0, 0, 0, 0, 0, 0, word_of(gauge.header), 0,
                                   background[10], 0, 0x00000001};
    expect_words(expected, background, 20, "background");
    ASSERT_NE(nullptr, gauge.head()->children);
    EXPECT_EQ(nullptr, gauge.head()->children[3]) << "three children";
}

TEST_F(IgnitionRecords, IconsHaveTheirImagesPositionsVariablesAndValueRoutines) {
    struct {
        const char *name;
        uint32_t image, x, y, flags, token;
    } const icons[3] = {
        {"ignition lamp", 0x1020, 7, 12, 0x00000007, 131},
        {"cranking lamp", 0x1010, 7, 43, 0x00000007, 0},
        {"cranking picture", 0x1000, 24, 0, 0x00000003, 0},
    };
    uint32_t routines[3];
    for (int index = 0; index < 3; ++index) {
        const uint32_t *icon = words_of(gauge.child(gauge.head(), index));
        routines[index] = icon[22];
        uint32_t expected[33] = {4, icons[index].image, icons[index].x, icons[index].y,
                                 0, 0, 0, 0, word_of(gauge.header), 0, 0, icon[11],
                                 icons[index].flags};
        expected[15] = icons[index].token;
        expected[22] = icon[22];
        expected[28] = 1;
        expect_words(expected, icon, 33, icons[index].name);
        EXPECT_NE(0u, icon[22]) << icons[index].name << " has a value routine";
        const uint32_t *failures = reinterpret_cast<const uint32_t *>(uintptr_t(icon[11]));
        ASSERT_NE(nullptr, failures) << icons[index].name;
        const uint32_t failure_list[3] = {2, 0, 0};
        expect_words(failure_list, failures, 3, "failure list");
    }
    EXPECT_NE(routines[0], routines[1]) << "the ignition lamp runs its own routine";
    EXPECT_EQ(routines[1], routines[2]) << "lamp and picture share the cranking routine";
}

TEST_F(IgnitionRecords, MouseListIsOneClickableChildInsideAParentWithItsHelp) {
    gauge.install();
    ASSERT_EQ(1u, gauge.host.mouse_registrations().size());
    const uint32_t *words = words_of(gauge.host.mouse_registrations()[0].list);
    const uint32_t none = 0xFFFFFFFFu;
    const uint32_t expected[4 * 11] = {
        1, 0, 0, 0, 0, none, 0xA206, 0, 0, 0, 0,
        2, 26, 1, 81, 76, 5, 0, 0x20000000, 0, words[11 + 9], 0,
        3, 0, 0, 0, 0, none, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, none, 0, 0, 0, 0, 0,
    };
    expect_words(expected, words, 4 * 11, "mouse list");
    EXPECT_NE(0u, words[11 + 9]) << "the child region has a handler";
}

TEST_F(IgnitionRecords, BitmapsHaveTheirSizesAndAPalette) {
    struct {
        uint32_t id;
        int width, height;
    } const bitmaps[] = {{0x100, 100, 78}, {0x1000, 81, 76}, {0x1010, 17, 17}, {0x1020, 17, 17}};
    for (const auto &expected : bitmaps) {
        panel_host::Bitmap bitmap;
        std::string error;
        ASSERT_TRUE(panel_host::load_bitmap_resource(gauge.module(), expected.id, bitmap, error))
            << error;
        EXPECT_EQ(expected.width, bitmap.width) << std::hex << expected.id;
        EXPECT_EQ(expected.height, bitmap.height) << std::hex << expected.id;
        EXPECT_EQ(256u, bitmap.palette.size());
    }
}

TEST(IgnitionVersion, FileAndProductVersionRead1_0_0_1) {
    const std::string path = panel_host::program_folder() + "Delvarotine.gau";
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_NE(0u, size) << path << " holds no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS) << "file version 1.0";
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS) << "file version .0.1";
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS) << "product version 1.0";
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS) << "product version .0.1";
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
    char *text = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                               reinterpret_cast<void **>(&text), &length));
    EXPECT_STREQ("1.0.0.1", text);
}

}  // namespace
