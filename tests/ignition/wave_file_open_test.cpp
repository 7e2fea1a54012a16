// Opening wave files through Wine's real mmio: the form check and the format block.
#include <gtest/gtest.h>

#include "wave_image.h"
#include "test_files.h"
#include "wave_file.h"

namespace {

class WaveFileOpen : public ::testing::Test {
protected:
    // Opens `bytes` written as a file; the result of wave_file_open.
    MMRESULT open(const std::vector<uint8_t> &bytes) {
        return wave_file_open(folder.write("sound.wav", bytes).c_str(), &file, &format, &riff);
    }
    void TearDown() override { wave_file_close(&file, &format); }
    void expect_nothing_open() {
        EXPECT_EQ(nullptr, file);
        EXPECT_EQ(nullptr, format);
    }

    TestFolder folder;
    HMMIO file = reinterpret_cast<HMMIO>(1);  // the open must overwrite these
    WAVEFORMATEX *format = reinterpret_cast<WAVEFORMATEX *>(1);
    MMCKINFO riff = {};
};

const std::vector<uint8_t> some_data = counting_bytes(64);

TEST_F(WaveFileOpen, MissingFileIsAnOpenError) {
    EXPECT_EQ(WAVE_ERR_OPEN, wave_file_open((folder.path() + "\\absent.wav").c_str(), &file,
                                            &format, &riff));
    expect_nothing_open();
}

TEST_F(WaveFileOpen, OtherFormsAreNotWave) {
    const std::vector<uint8_t> fmt = format_block(1, 1, 22050, 16);
    EXPECT_EQ(WAVE_ERR_NOT_WAVE, open(WaveImage("RIFX").chunk("fmt ", fmt).image()));
    expect_nothing_open();
    EXPECT_EQ(WAVE_ERR_NOT_WAVE, open(WaveImage("RIFF", "AVI ").chunk("fmt ", fmt).image()));
    expect_nothing_open();
}

TEST_F(WaveFileOpen, MissingFormatChunkPassesOnTheMmioCode) {
    EXPECT_EQ(MMIOERR_CHUNKNOTFOUND, open(WaveImage().chunk("data", some_data).image()));
    expect_nothing_open();
}

TEST_F(WaveFileOpen, FormatChunkShorterThanSixteenBytesIsNotWave) {
    std::vector<uint8_t> short_format = format_block(1, 1, 22050, 16);
    short_format.resize(14);
    EXPECT_EQ(WAVE_ERR_NOT_WAVE, open(WaveImage().chunk("fmt ", short_format).image()));
    expect_nothing_open();
}

TEST_F(WaveFileOpen, PcmFormatBlockHasNoExtraBytesWhateverTheFileStores) {
    for (const std::vector<uint8_t> &tail : {std::vector<uint8_t>{}, std::vector<uint8_t>{28, 0}}) {
        const std::vector<uint8_t> fmt = format_block(1, 1, 22050, 16, tail);
        ASSERT_EQ(0u, open(WaveImage().chunk("fmt ", fmt).chunk("data", some_data).image()))
            << fmt.size() << "-byte fmt";
        ASSERT_NE(nullptr, format);
        EXPECT_EQ(18u, GlobalSize(format));
        EXPECT_EQ(0, memcmp(format, fmt.data(), 16));
        EXPECT_EQ(0, format->cbSize) << "a stored extra-size word is not read";
        wave_file_close(&file, &format);
    }
}

TEST_F(WaveFileOpen, OtherFormatsCarryTheirExtraBytes) {
    const std::vector<uint8_t> no_extra = format_block(2, 1, 22050, 4, {0, 0});
    ASSERT_EQ(0u, open(WaveImage().chunk("fmt ", no_extra).chunk("data", some_data).image()));
    EXPECT_EQ(18u, GlobalSize(format));
    EXPECT_EQ(0, format->cbSize);
    wave_file_close(&file, &format);

    const std::vector<uint8_t> extra = format_block(2, 1, 22050, 4, {4, 0, 0xA1, 0xB2, 0xC3, 0xD4});
    ASSERT_EQ(0u, open(WaveImage().chunk("fmt ", extra).chunk("data", some_data).image()));
    EXPECT_EQ(22u, GlobalSize(format));
    EXPECT_EQ(4, format->cbSize);
    EXPECT_EQ(0, memcmp(reinterpret_cast<uint8_t *>(format) + 18, &extra[18], 4));
}

TEST_F(WaveFileOpen, MissingExtraSizeWordIsAReadError) {
    // A non-PCM format of 16 bytes at the end of the file.
    EXPECT_EQ(WAVE_ERR_READ, open(WaveImage().chunk("fmt ", format_block(2, 1, 22050, 4)).image()));
    expect_nothing_open();
}

TEST_F(WaveFileOpen, ExtraBytesRunningPastTheFileAreNotWave) {
    std::vector<uint8_t> image =
        WaveImage().chunk("fmt ", format_block(2, 1, 22050, 4, {200, 0, 1, 2, 3})).image();
    EXPECT_EQ(WAVE_ERR_NOT_WAVE, open(image));
    expect_nothing_open();
}

TEST_F(WaveFileOpen, OpenFilesAreLeftAfterTheFormatChunk) {
    const std::vector<uint8_t> fmt = format_block(1, 2, 44100, 16);
    ASSERT_EQ(0u, open(WaveImage().chunk("fmt ", fmt).chunk("data", some_data).image()));
    EXPECT_EQ(FOURCC_RIFF, riff.ckid);
    EXPECT_EQ(mmioFOURCC('W', 'A', 'V', 'E'), riff.fccType);
    EXPECT_EQ(8u, riff.dwDataOffset) << "the form type is where the RIFF data begin";
    EXPECT_EQ(12 + 8 + 16, mmioSeek(file, 0, SEEK_CUR));
    EXPECT_EQ(44100u, format->nSamplesPerSec);
    EXPECT_EQ(4, format->nBlockAlign);
}

}  // namespace
