// Malformed files through open, start data, read and close: every truncation
// of a small valid file and random corruptions of its header bytes. Nothing
// may crash, stay open or stay allocated.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "handle_count.h"
#include "wave_image.h"
#include "test_files.h"
#include "wave_file.h"

namespace {

std::vector<std::vector<uint8_t>> malformed_corpus() {
    const std::vector<uint8_t> valid = WaveImage()
                                           .chunk("fmt ", format_block(2, 1, 22050, 4, {2, 0, 9, 9}))
                                           .chunk("fact", {40, 0, 0, 0})
                                           .chunk("data", counting_bytes(41))
                                           .image();
    std::vector<std::vector<uint8_t>> corpus;
    for (size_t length = 0; length <= valid.size(); ++length)
        corpus.emplace_back(valid.begin(), valid.begin() + length);
    std::mt19937 random(1998);
    const size_t header_bytes = valid.size() - 41;
    for (int i = 0; i < 400; ++i) {
        std::vector<uint8_t> corrupt = valid;
        for (int flips = 1 + i % 3; flips > 0; --flips)
            corrupt[random() % header_bytes] = static_cast<uint8_t>(random());
        corpus.push_back(corrupt);
    }
    return corpus;
}

// Busy blocks of the process heap, where GlobalAlloc and mmio take their memory.
size_t busy_heap_blocks() {
    HANDLE heap = GetProcessHeap();
    PROCESS_HEAP_ENTRY entry = {};
    size_t busy = 0;
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            ++busy;
    HeapUnlock(heap);
    return busy;
}

// One file through every operation, as a loader would; the last result.
MMRESULT read_whole_file(const std::string &path) {
    HMMIO file;
    WAVEFORMATEX *format;
    MMCKINFO riff, data;
    static BYTE destination[16];
    MMRESULT result = wave_file_open(path.c_str(), &file, &format, &riff);
    if (result == 0)
        result = wave_file_start_data(file, &data, &riff);
    for (int reads = 0; result == 0 && reads < 1000; ++reads) {
        UINT bytes_read = 0;
        result = wave_file_read(file, sizeof destination, destination, &data, &bytes_read);
        if (bytes_read == 0)
            break;
    }
    wave_file_close(&file, &format);
    return result;
}

TEST(WaveFileCorpus, MalformedFilesLeaveNothingOpenOrAllocated) {
    TestFolder folder;
    const std::vector<std::vector<uint8_t>> corpus = malformed_corpus();
    std::vector<std::string> paths;
    for (size_t i = 0; i < corpus.size(); ++i)
        paths.push_back(folder.write("corpus_" + std::to_string(i) + ".wav", corpus[i]));
    std::vector<MMRESULT> results(paths.size());

    read_whole_file(paths.back());  // lets mmio and the heap settle their first-use allocations
    const size_t blocks_before = busy_heap_blocks();
    const DWORD handles_before = handle_count();
    for (size_t i = 0; i < paths.size(); ++i)
        results[i] = read_whole_file(paths[i]);
    const size_t blocks_after = busy_heap_blocks();
    const DWORD handles_after = handle_count();

    EXPECT_NE(0u, handles_before) << "the handles are counted";
    EXPECT_EQ(blocks_before, blocks_after) << "heap blocks left allocated";
    EXPECT_EQ(handles_before, handles_after) << "handles left open";
    for (const std::string &path : paths)
        EXPECT_TRUE(DeleteFileA(path.c_str())) << path << " is still open";

    std::map<MMRESULT, int> outcomes;
    for (MMRESULT result : results)
        ++outcomes[result];
    EXPECT_GT(outcomes.size(), 3u) << "the corpus reaches several failure paths";
    for (const auto &outcome : outcomes)
        std::printf("result 0x%X: %d files\n", outcome.first, outcome.second);
}

TEST(WaveFileCorpus, AnOpenFileCannotBeDeleted) {
    // Makes the deletion check above meaningful on this platform.
    TestFolder folder;
    const std::string path = folder.write(
        "open.wav", WaveImage().chunk("fmt ", format_block(1, 1, 8000, 8)).chunk("data", {1}).image());
    HMMIO file;
    WAVEFORMATEX *format;
    MMCKINFO riff;
    ASSERT_EQ(0u, wave_file_open(path.c_str(), &file, &format, &riff));
    EXPECT_FALSE(DeleteFileA(path.c_str()));
    wave_file_close(&file, &format);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(WaveFileCorpus, AnOpenFileIsCountedAsAHandle) {
    // Makes the handle check above meaningful on this platform.
    TestFolder folder;
    const std::string path = folder.write(
        "counted.wav", WaveImage().chunk("fmt ", format_block(1, 1, 8000, 8)).chunk("data", {1}).image());
    const DWORD before = handle_count();
    HMMIO file;
    WAVEFORMATEX *format;
    MMCKINFO riff;
    ASSERT_EQ(0u, wave_file_open(path.c_str(), &file, &format, &riff));
    EXPECT_EQ(before + 1, handle_count());
    wave_file_close(&file, &format);
    EXPECT_EQ(before, handle_count());
}

}  // namespace
