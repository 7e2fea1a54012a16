// The master switch's exported records, header, element tree, mouse list and
// resources, read word by word as the host reads them.
#include <cstring>

#include "loaded_gauge_test.h"

namespace {

class SwitchRecords : public LoadedGaugeTest {
protected:
    SwitchRecords() : LoadedGaugeTest("Brennovalux.gau") {}
};

void expect_zero_words(const uint32_t *words, int first, int last) {
    for (int i = first; i <= last; ++i)
        EXPECT_EQ(0u, words[i]) << "word " << i;
}

TEST(SwitchExports, ImportTableAsksForThePanelServicesWithEmptyPointers) {
    std::string error;
    auto file = panel_host::GaugeFile::load(panel_host::program_folder() + "Brennovalux.gau", error);
    ASSERT_TRUE(file) << error;
    const uint32_t *imports = words_of(file->imports());
    EXPECT_EQ(0x0Fu, imports[0]);
    expect_zero_words(imports, 1, 3);
}

TEST_F(SwitchRecords, LinkageListsTheOneHeaderBehindItsModuleWords) {
    const uint32_t *linkage = words_of(gauge.file->linkage());
    EXPECT_EQ(0x13u, linkage[0]);
    EXPECT_NE(0u, linkage[1]);
    EXPECT_EQ(linkage[1], linkage[2]) << "start and end are one routine";
    expect_zero_words(linkage, 3, 5);
    EXPECT_EQ(word_of(gauge.header), linkage[6]);
    EXPECT_EQ(0u, linkage[7]);
    gauge.file->linkage()->module_start();
    gauge.file->linkage()->module_end();
    EXPECT_TRUE(gauge.host.calls.empty());
}

TEST_F(SwitchRecords, HeaderNamesTheGaugeItsRoutinesAndWidth) {
    const uint32_t *header = words_of(gauge.header);
    EXPECT_EQ(610u, header[0]);
    EXPECT_STREQ("Toggle-type Master Switch", gauge.header->name);
    for (int i = 3; i <= 9; ++i) {
        EXPECT_NE(0u, header[i]) << "routine word " << i;
        for (int j = 3; j < i; ++j)
            EXPECT_NE(header[j], header[i]) << "routine words " << j << " and " << i;
    }
    EXPECT_EQ(0u, header[10]);
    EXPECT_EQ(38u, header[11]);
    expect_zero_words(header, 12, 21);
}

TEST_F(SwitchRecords, BackgroundIsAStaticImageWithTheOffLeverAsItsChild) {
    const uint32_t *background = words_of(gauge.head());
    const uint32_t expected[20] = {0, 0x1000, 0, 0, 0, 0, 0, 0, word_of(gauge.header), 0,
                                   background[10], 0, 0x00000001};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(expected[i], background[i]) << "word " << i;
    ASSERT_NE(nullptr, gauge.head()->children);
    EXPECT_EQ(nullptr, gauge.head()->children[1]);
}

// Words of a lever icon: the image, position and drawing flags differ.
void expect_lever_words(const uint32_t *lever, uint32_t image, uint32_t x, uint32_t flags,
                        uint32_t header) {
    EXPECT_EQ(4u, lever[0]);
    EXPECT_EQ(image, lever[1]);
    EXPECT_EQ(x, lever[2]);
    EXPECT_EQ(20u, lever[3]);
    expect_zero_words(lever, 4, 7);
    EXPECT_EQ(header, lever[8]);
    EXPECT_EQ(0u, lever[9]);
    EXPECT_EQ(flags, lever[12]);
    expect_zero_words(lever, 13, 27);  // no source variable, no value routine
    EXPECT_EQ(2u, lever[28]);
    expect_zero_words(lever, 29, 32);
    const uint32_t *failures = reinterpret_cast<const uint32_t *>(uintptr_t(lever[11]));
    ASSERT_NE(nullptr, failures);
    EXPECT_EQ(1u, failures[0]);
    EXPECT_EQ(0u, failures[1]);
    EXPECT_EQ(0u, failures[2]) << "the list ends after one entry";
}

TEST_F(SwitchRecords, LeversAreIconsOffShownAndOnHidden) {
    ElementRecord *off = gauge.child(gauge.head(), 0);
    expect_lever_words(words_of(off), 0x2003, 20, 0x00000003, word_of(gauge.header));
    ASSERT_NE(nullptr, off->children);
    ElementRecord *on = off->children[0];
    EXPECT_EQ(nullptr, off->children[1]);
    expect_lever_words(words_of(on), 0x2000, 21, 0x40000003, word_of(gauge.header));
    EXPECT_EQ(nullptr, on->children);
}

TEST_F(SwitchRecords, MouseListIsOneClickableChildInsideAParent) {
    gauge.install();
    ASSERT_EQ(1u, gauge.host.mouse_registrations().size());
    const uint32_t *words = words_of(gauge.host.mouse_registrations()[0].list);
    const uint32_t none = 0xFFFFFFFFu;
    const uint32_t expected[4][11] = {
        {1, 0, 0, 0, 0, none, 0, 0, 0, 0, 0},
        {2, 0, 0, 40, 60, 5, 0, 0x20000000, 0, words[11 + 9], 0},
        {3, 0, 0, 0, 0, none, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, none, 0, 0, 0, 0, 0},
    };
    for (int record = 0; record < 4; ++record)
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(expected[record][i], words[record * 11 + i])
                << "record " << record << " word " << i;
    EXPECT_NE(0u, words[11 + 9]) << "the child region has a handler";
}

TEST_F(SwitchRecords, BitmapsHaveTheirSizesAndAPalette) {
    struct {
        uint32_t id;
        int width, height;
    } const bitmaps[] = {{0x1000, 60, 78}, {0x2000, 17, 56}, {0x2003, 18, 56}};
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

TEST_F(SwitchRecords, ClickSoundIsTheStoredWaveImage) {
    HRSRC found = FindResourceA(gauge.module(), "CLICK", MAKEINTRESOURCEA(10));
    ASSERT_NE(nullptr, found);
    ASSERT_EQ(1380u, SizeofResource(gauge.module(), found));
    const uint8_t *image = static_cast<const uint8_t *>(LockResource(LoadResource(gauge.module(), found)));
    ASSERT_NE(nullptr, image);
    uint32_t riff_size, fmt_size, rate, data_size;
    uint16_t tag, channels, bits, extra;
    memcpy(&riff_size, image + 4, 4);
    memcpy(&fmt_size, image + 16, 4);
    memcpy(&tag, image + 20, 2);
    memcpy(&channels, image + 22, 2);
    memcpy(&rate, image + 24, 4);
    memcpy(&bits, image + 34, 2);
    memcpy(&extra, image + 36, 2);
    memcpy(&data_size, image + 54, 4);
    EXPECT_EQ(0, memcmp(image, "RIFF", 4));
    EXPECT_EQ(1372u, riff_size);
    EXPECT_EQ(0, memcmp(image + 8, "WAVEfmt ", 8));
    EXPECT_EQ(18u, fmt_size);
    EXPECT_EQ(1, tag);
    EXPECT_EQ(1, channels);
    EXPECT_EQ(22050u, rate);
    EXPECT_EQ(8, bits);
    EXPECT_EQ(28, extra);
    EXPECT_EQ(0, memcmp(image + 38, "fact", 4));
    EXPECT_EQ(0, memcmp(image + 50, "data", 4));
    EXPECT_EQ(1322u, data_size);
}

}  // namespace
