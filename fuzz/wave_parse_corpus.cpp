// Writes the wave parser's seed corpus into the folder it is given: the
// click sound, and images that reach the walk's odd cases.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "wave_image.h"

static bool write(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::ifstream click(CLICK_WAVE_PATH, std::ios::binary);
    const std::vector<uint8_t> click_bytes((std::istreambuf_iterator<char>(click)),
                                           std::istreambuf_iterator<char>());
    std::vector<uint8_t> truncated = WaveImage().format(16).chunk("data", 40).image();
    truncated.resize(truncated.size() - 30);

    const struct {
        const char *name;
        std::vector<uint8_t> image;
    } seeds[] = {
        {"click", click_bytes},
        {"data_first", WaveImage().chunk("data", 9).format(16).image()},
        {"odd_chunks", WaveImage().chunk("LIST", 3).format(17).chunk("data", 5).image()},
        {"empty_data_twice", WaveImage().chunk("data", 0).chunk("data", 4).format(14).image()},
        {"short_format", WaveImage().format(13).chunk("data", 2).image()},
        {"riff_size_short", WaveImage().format(16).chunk("data", 4).riff_size(24).image()},
        {"huge_chunk", WaveImage().header("junk", 0xFFFFFFFFu).format(16).chunk("data", 2).image()},
        {"truncated_data", truncated},
        {"rifx", WaveImage("RIFX", "WAVE").format(16).chunk("data", 2).image()},
    };
    for (const auto &seed : seeds)
        if (!write(folder + "/" + seed.name, seed.image)) {
            fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), seed.name);
            return 1;
        }
    return click_bytes.size() == 1380 ? 0 : 1;
}
