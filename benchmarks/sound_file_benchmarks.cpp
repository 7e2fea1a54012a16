// The ignition module's file side: the wave file reader against plain mmio
// and memory copies, and the module's install against reading its two files.
#include "gauge_benchmarks.h"

#include <cstring>

#include "benchmark_table.h"
#include "gauge_under_test.h"
#include "test_files.h"
#include "wave_file.h"
#include "wave_image.h"

namespace {

const uint32_t starter_bytes = 277830;  // 6.3 s at 44100 bytes per second
const uint32_t stop_bytes = 141120;     // 3.2 s

std::vector<uint8_t> starter_wave() { return pcm_wave(22050, 16, counting_bytes(starter_bytes)); }
std::vector<uint8_t> stop_wave() { return pcm_wave(22050, 16, counting_bytes(stop_bytes, 5)); }

// Opens, reads and closes one file with the wave file reader, as the module loads a sound.
bool read_whole_file(const char *path, std::vector<BYTE> &destination) {
    HMMIO file;
    WAVEFORMATEX *format;
    MMCKINFO riff_chunk, data_chunk;
    if (wave_file_open(path, &file, &format, &riff_chunk) != 0)
        return false;
    UINT bytes_read = 0;
    bool read = wave_file_start_data(file, &data_chunk, &riff_chunk) == 0 &&
                wave_file_read(file, UINT(destination.size()), destination.data(), &data_chunk,
                               &bytes_read) == 0;
    wave_file_close(&file, &format);
    return read && bytes_read == destination.size();
}

}  // namespace

void benchmark_wave_file_read(int rounds, int per_round) {
    TestFolder folder;
    const std::vector<uint8_t> image = starter_wave();
    const std::string path = folder.write("starter.wav", image);
    HMMIO file;
    WAVEFORMATEX *format;
    MMCKINFO riff_chunk, data_chunk;
    if (wave_file_open(path.c_str(), &file, &format, &riff_chunk) != 0 ||
        wave_file_start_data(file, &data_chunk, &riff_chunk) != 0) {
        std::printf("the starter file cannot be read\n");
        return;
    }
    const LONG data_offset = LONG(data_chunk.dwDataOffset);
    const std::vector<uint8_t> in_memory(image.begin() + data_offset, image.end());
    std::vector<BYTE> destination(starter_bytes);
    UINT bytes_read = 0;
    bool all_read = true;

    std::vector<BenchmarkCase> cases = {
        {"memcpy of the data bytes from memory",
         [&] { std::memcpy(destination.data(), in_memory.data(), starter_bytes); }, nullptr, nullptr},
        {"one mmioRead of the data bytes",
         [&] { all_read &= mmioRead(file, reinterpret_cast<HPSTR>(destination.data()), starter_bytes) ==
                           LONG(starter_bytes); },
         [&] { mmioSeek(file, data_offset, SEEK_SET); }, nullptr},
        {"wave_file_read of the data bytes",
         [&] { all_read &= wave_file_read(file, starter_bytes, destination.data(), &data_chunk,
                                          &bytes_read) == 0 && bytes_read == starter_bytes; },
         [&] {
             mmioSeek(file, data_offset, SEEK_SET);
             data_chunk.cksize = starter_bytes;
         },
         nullptr},
    };
    const std::vector<BenchmarkResult> results = compare(cases, rounds, per_round);
    wave_file_close(&file, &format);
    print_table("Reading the 6.3 s starter file's 277830 data bytes (22050 Hz, 16-bit, mono), "
                "file in the system's cache",
                results, rounds, per_round);
    if (!all_read)
        std::printf("  A READ FAILED: the figures are not valid\n");
}

void benchmark_ignition_install(int rounds, int per_round) {
    TestFolder with_sounds, without_sounds;
    const std::string starter_path = with_sounds.write("Aircraft\\sound\\kaprelo\\Eg.wav", starter_wave());
    const std::string stop_path = with_sounds.write("Aircraft\\sound\\kaprelo\\Stop.wav", stop_wave());

    GaugeUnderTest gauge;
    if (!gauge.load("Delvarotine.gau")) {
        std::printf("Delvarotine.gau cannot be loaded\n");
        return;
    }
    std::vector<BYTE> starter(starter_bytes), stop(stop_bytes);
    bool all_read = true;
    auto kill = [&] {
        gauge.kill();
        gauge.forget_calls();
    };
    std::vector<BenchmarkCase> cases = {
        {"reading the two files alone (open, read, close)",
         [&] { all_read &= read_whole_file(starter_path.c_str(), starter) &&
                           read_whole_file(stop_path.c_str(), stop); },
         nullptr, nullptr},
        {"install of Delvarotine.gau (device, two buffers filled)", [&] { gauge.install(); },
         [&] { SetCurrentDirectoryA(with_sounds.path().c_str()); }, kill},
        {"install of Delvarotine.gau without sound files (device only)", [&] { gauge.install(); },
         [&] { SetCurrentDirectoryA(without_sounds.path().c_str()); }, kill},
    };
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    const std::vector<BenchmarkResult> results = compare(cases, rounds, per_round);
    SetCurrentDirectoryA(previous);
    print_table("Ignition install on Wine's DirectSound (null ALSA device), against reading its "
                "two sound files (6.3 s and 3.2 s)",
                results, rounds, per_round);
    if (!all_read)
        std::printf("  A READ FAILED: the figures are not valid\n");
}
