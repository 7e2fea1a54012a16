// Finding and reading the data chunk through Wine's real mmio, and closing.
#include <gtest/gtest.h>

#include "wave_image.h"
#include "test_files.h"
#include "wave_file.h"

namespace {

class WaveFileRead : public ::testing::Test {
protected:
    // Opens `bytes` as a file and positions it on its data.
    void open_at_data(const std::vector<uint8_t> &bytes) {
        ASSERT_EQ(0u, wave_file_open(folder.write("sound.wav", bytes).c_str(), &file, &format, &riff));
        ASSERT_EQ(0u, wave_file_start_data(file, &data, &riff));
    }
    MMRESULT read(UINT size) {
        destination.assign(size + 16, 0xEE);
        return wave_file_read(file, size, destination.data(), &data, &bytes_read);
    }
    void TearDown() override { wave_file_close(&file, &format); }

    TestFolder folder;
    HMMIO file = nullptr;
    WAVEFORMATEX *format = nullptr;
    MMCKINFO riff = {}, data = {};
    std::vector<uint8_t> destination;
    UINT bytes_read = 12345;
};

const std::vector<uint8_t> pcm16 = format_block(1, 1, 22050, 16);

TEST_F(WaveFileRead, DataBeforeTheFormatChunkIsFound) {
    const std::vector<uint8_t> samples = counting_bytes(100, 3);
    open_at_data(WaveImage().chunk("data", samples).chunk("fmt ", pcm16).image());
    EXPECT_EQ(100u, data.cksize);
    ASSERT_EQ(0u, read(100));
    EXPECT_EQ(100u, bytes_read);
    EXPECT_EQ(0, memcmp(samples.data(), destination.data(), 100));
}

TEST_F(WaveFileRead, NoDataChunkPassesOnTheMmioCode) {
    ASSERT_EQ(0u, wave_file_open(folder.write("x.wav", WaveImage().chunk("fmt ", pcm16).image()).c_str(),
                                 &file, &format, &riff));
    EXPECT_EQ(MMIOERR_CHUNKNOTFOUND, wave_file_start_data(file, &data, &riff));
}

TEST_F(WaveFileRead, ReadsAreClampedToTheDataLeft) {
    const std::vector<uint8_t> samples = counting_bytes(600);
    open_at_data(WaveImage().chunk("fmt ", pcm16).chunk("data", samples).chunk("LIST", {1, 2, 3, 4}).image());
    ASSERT_EQ(0u, read(1000));
    EXPECT_EQ(600u, bytes_read);
    EXPECT_EQ(0u, data.cksize);
    EXPECT_EQ(0, memcmp(samples.data(), destination.data(), 600));
    EXPECT_EQ(0xEE, destination[600]) << "nothing past the data is copied";
    ASSERT_EQ(0u, read(1000));
    EXPECT_EQ(0u, bytes_read);
}

TEST_F(WaveFileRead, PiecesAcrossManyBufferFillsJoinUpExactly) {
    // Far larger than the I/O buffer, in pieces that straddle its refills.
    const std::vector<uint8_t> samples = counting_bytes(50001);
    open_at_data(WaveImage().chunk("fmt ", pcm16).chunk("data", samples).image());
    std::vector<uint8_t> joined;
    for (UINT piece : {1u, 3000u, 8192u, 7u, 20000u, 65536u}) {
        ASSERT_EQ(0u, read(piece));
        joined.insert(joined.end(), destination.begin(), destination.begin() + bytes_read);
    }
    EXPECT_EQ(samples, joined);
    EXPECT_EQ(0u, data.cksize);
}

TEST_F(WaveFileRead, DataChunkLongerThanTheFileIsCorrupt) {
    const std::vector<uint8_t> samples = counting_bytes(300);
    open_at_data(WaveImage().chunk("fmt ", pcm16).header("data", 20000).raw(samples).image());
    EXPECT_EQ(WAVE_ERR_CORRUPT, read(20000));
    EXPECT_EQ(0u, bytes_read) << "even though bytes were copied";
    EXPECT_EQ(0u, data.cksize) << "lowered by the whole clamped request";
}

TEST_F(WaveFileRead, ZeroByteReadSucceedsWithoutCopying) {
    open_at_data(WaveImage().chunk("fmt ", pcm16).chunk("data", counting_bytes(10)).image());
    ASSERT_EQ(0u, read(0));
    EXPECT_EQ(0u, bytes_read);
    EXPECT_EQ(10u, data.cksize);
}

TEST(WaveFileClose, NothingOpenIsNothingToDoAndCloseTwiceIsSafe) {
    HMMIO file = nullptr;
    WAVEFORMATEX *format = nullptr;
    EXPECT_EQ(0u, wave_file_close(&file, &format));
    TestFolder folder;
    MMCKINFO riff = {};
    const std::string path =
        folder.write("a.wav", WaveImage().chunk("fmt ", pcm16).chunk("data", {1, 2}).image());
    ASSERT_EQ(0u, wave_file_open(path.c_str(), &file, &format, &riff));
    EXPECT_EQ(0u, wave_file_close(&file, &format));
    EXPECT_EQ(nullptr, file);
    EXPECT_EQ(nullptr, format);
    EXPECT_EQ(0u, wave_file_close(&file, &format));
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is closed";
}

}  // namespace
