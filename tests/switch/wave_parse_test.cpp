// The chunk walk over RIFF WAVE images in memory: which results each image
// yields, where the walk stops, and that a bounded walk reads nothing past
// its bound (the image ends at a page that faults when read).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "wave_image.h"
#include "wave_parse.h"

namespace {

const tWAVEFORMATEX *const garbage_format = reinterpret_cast<const tWAVEFORMATEX *>(1);
const uint8_t *const garbage_data = reinterpret_cast<const uint8_t *>(1);

// The three results of one walk, each filled with garbage first so that the
// walk is seen to empty them.
struct Walk {
    const tWAVEFORMATEX *format = garbage_format;
    const uint8_t *data = garbage_data;
    uint32_t size = 0xDEAD;
    int result = -1;

    const uint8_t *format_bytes() const { return reinterpret_cast<const uint8_t *>(format); }
};

Walk parse(const std::vector<uint8_t> &image) {
    Walk walk;
    walk.result = wave_parse(image.data(), &walk.format, &walk.data, &walk.size);
    return walk;
}

// Bytes placed so that the first byte past them lies on a page that faults.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<uint8_t> &bytes) : length_(bytes.size()) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        const size_t pages = (length_ + page - 1) / page + 1;
        base_ = static_cast<uint8_t *>(
            VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        start_ = base_ + (pages - 1) * page - length_;
        memcpy(start_, bytes.data(), length_);
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes &) = delete;
    GuardedBytes &operator=(const GuardedBytes &) = delete;
    const uint8_t *data() const { return start_; }
    size_t length() const { return length_; }

private:
    size_t length_;
    uint8_t *base_;
    uint8_t *start_;
};

Walk parse_bounded(const GuardedBytes &image) {
    Walk walk;
    walk.result =
        wave_parse_bounded(image.data(), image.length(), &walk.format, &walk.data, &walk.size);
    return walk;
}

// The image cut at `length` bytes, guarded behind.
GuardedBytes cut(const std::vector<uint8_t> &image, size_t length) {
    return GuardedBytes(std::vector<uint8_t>(image.begin(), image.begin() + length));
}

TEST(WaveParse, ClickLayoutYieldsFormatAt20DataAt58AndStopsAtData) {
    WaveImage builder;
    builder.format(18).chunk("fact", 4);
    builder.chunk("data", 1322);
    const size_t data_end = builder.payload() + 1322;
    builder.header("LIST", 0xFFFFFFF0u);  // never read: the walk ends at "data"
    const std::vector<uint8_t> image = builder.image();

    const GuardedBytes guarded = cut(image, data_end);
    const Walk walk = parse_bounded(guarded);
    EXPECT_EQ(1, walk.result);
    EXPECT_EQ(guarded.data() + 20, walk.format_bytes());
    EXPECT_EQ(guarded.data() + 58, walk.data);
    EXPECT_EQ(1322u, walk.size);
    const Walk whole = parse(image);
    EXPECT_EQ(1, whole.result);
    EXPECT_EQ(image.data() + 20, whole.format_bytes());
    EXPECT_EQ(image.data() + 58, whole.data);
    EXPECT_EQ(1322u, whole.size);
}

TEST(WaveParse, DataBeforeFormatYieldsAllThreeAndStopsAtFormat) {
    WaveImage builder;
    builder.chunk("data", 100);
    const size_t data = builder.payload();
    builder.format(16);
    const size_t format_end = builder.payload() + 16;
    builder.header("junk", 0xFFFFFFF0u);
    const std::vector<uint8_t> image = builder.image();
    const GuardedBytes guarded = cut(image, format_end);

    const Walk walk = parse_bounded(guarded);
    EXPECT_EQ(1, walk.result);
    EXPECT_EQ(guarded.data() + data, walk.data);
    EXPECT_EQ(guarded.data() + data + 100 + 8, walk.format_bytes());
    EXPECT_EQ(100u, walk.size);
}

TEST(WaveParse, FormatNotAskedForIsNotExaminedHoweverShort) {
    WaveImage builder;
    builder.format(2).chunk("data", 10);
    const std::vector<uint8_t> image = builder.image();
    const uint8_t *data = garbage_data;
    uint32_t size = 0;
    EXPECT_EQ(1, wave_parse(image.data(), nullptr, &data, &size));
    EXPECT_EQ(image.data() + builder.payload(), data);
    EXPECT_EQ(10u, size);
}

TEST(WaveParse, FormatOfThirteenBytesFailsAtOnceAndFourteenIsAccepted) {
    const Walk short_format = parse(WaveImage().format(13).chunk("data", 4).image());
    EXPECT_EQ(0, short_format.result);
    EXPECT_EQ(nullptr, short_format.format);
    EXPECT_EQ(nullptr, short_format.data) << "the walk ended at the short format";

    WaveImage data_first;
    data_first.chunk("data", 6);
    const std::vector<uint8_t> image = data_first.format(13).image();
    const Walk after_data = parse(image);
    EXPECT_EQ(0, after_data.result);
    EXPECT_EQ(image.data() + 20, after_data.data) << "results set before it stay";
    EXPECT_EQ(6u, after_data.size);

    const Walk fourteen = parse(WaveImage().format(14).chunk("data", 4).image());
    EXPECT_EQ(1, fourteen.result);
    EXPECT_NE(nullptr, fourteen.format);
}

TEST(WaveParse, OddChunksAreFollowedByOnePadByte) {
    WaveImage builder;
    builder.chunk("LIST", 3);
    builder.format(17);
    const size_t format = builder.payload();
    builder.chunk("data", 5);
    const size_t data = builder.payload();
    const std::vector<uint8_t> image = builder.image();
    EXPECT_EQ(20u + 4 + 8, format) << "the builder pads";
    const Walk walk = parse(image);
    EXPECT_EQ(1, walk.result);
    EXPECT_EQ(image.data() + format, walk.format_bytes());
    EXPECT_EQ(image.data() + data, walk.data);
    EXPECT_EQ(5u, walk.size);
}

TEST(WaveParse, OnlyTheFirstFormatAndTheFirstSizedDataCount) {
    WaveImage builder;
    builder.format(16);
    const size_t first_format = builder.payload();
    builder.format(2).chunk("data", 8);
    const size_t data = builder.payload();
    const std::vector<uint8_t> image = builder.image();
    const Walk formats = parse(image);
    EXPECT_EQ(1, formats.result) << "a short second format is stepped over";
    EXPECT_EQ(image.data() + first_format, formats.format_bytes());
    EXPECT_EQ(image.data() + data, formats.data);

    WaveImage two_data;
    two_data.chunk("data", 100);
    const size_t first_data = two_data.payload();
    const std::vector<uint8_t> second = two_data.chunk("data", 50).format(16).image();
    const Walk datas = parse(second);
    EXPECT_EQ(1, datas.result);
    EXPECT_EQ(second.data() + first_data, datas.data);
    EXPECT_EQ(100u, datas.size);
}

TEST(WaveParse, ChunksPastTheRiffSizeAreNotSeen) {
    WaveImage builder;
    builder.format(16);
    const uint32_t riff_size = uint32_t(builder.payload() + 16 - 8);
    const std::vector<uint8_t> image = builder.chunk("data", 10).riff_size(riff_size).image();
    const Walk walk = parse(image);
    EXPECT_EQ(0, walk.result);
    EXPECT_EQ(image.data() + 20, walk.format_bytes()) << "found results stay set";
    EXPECT_EQ(nullptr, walk.data);
    EXPECT_EQ(0u, walk.size);

    for (uint32_t tiny : {0u, 3u, 4u}) {
        const Walk none = parse(WaveImage().format(16).chunk("data", 4).riff_size(tiny).image());
        EXPECT_EQ(0, none.result) << "riff size " << tiny;
        EXPECT_EQ(nullptr, none.format) << "riff size " << tiny;
        EXPECT_EQ(nullptr, none.data) << "riff size " << tiny;
    }
}

TEST(WaveParse, ARiffSizeThatEndsInsideAChunkHeaderStillReadsItWhole) {
    WaveImage builder;
    builder.format(16);
    const uint32_t riff_size = uint32_t(builder.payload() + 16 + 1 - 8);  // one byte of "data"
    const std::vector<uint8_t> image = builder.chunk("data", 10).riff_size(riff_size).image();
    const Walk walk = parse(image);
    EXPECT_EQ(1, walk.result);
    EXPECT_EQ(10u, walk.size);
}

TEST(WaveParse, ZeroSizedDataChunks) {
    const std::vector<uint8_t> format_then_empty = WaveImage().format(16).chunk("data", 0).image();
    const Walk empty = parse(format_then_empty);
    EXPECT_EQ(1, empty.result) << "the format was found, so the empty data completes the set";
    EXPECT_EQ(format_then_empty.data() + 44, empty.data);
    EXPECT_EQ(0u, empty.size);

    WaveImage replaced;
    replaced.chunk("data", 0).chunk("data", 100);
    const size_t second = replaced.payload();
    const std::vector<uint8_t> image = replaced.format(16).image();
    const Walk walk = parse(image);
    EXPECT_EQ(1, walk.result);
    EXPECT_EQ(image.data() + second, walk.data);
    EXPECT_EQ(100u, walk.size);

    const std::vector<uint8_t> never = WaveImage().chunk("data", 0).format(16).image();
    const Walk missing = parse(never);
    EXPECT_EQ(0, missing.result);
    EXPECT_EQ(never.data() + 28, missing.format_bytes());
    EXPECT_EQ(never.data() + 20, missing.data);
    EXPECT_EQ(0u, missing.size);
}

TEST(WaveParse, OtherFormsYieldNothing) {
    const struct {
        const char *riff_id, *form_type;
    } forms[] = {{"RIFX", "WAVE"}, {"RIFF", "AVI "}, {"riff", "WAVE"}};
    for (const auto &form : forms) {
        const Walk walk =
            parse(WaveImage(form.riff_id, form.form_type).format(16).chunk("data", 4).image());
        EXPECT_EQ(0, walk.result) << form.riff_id << " " << form.form_type;
        EXPECT_EQ(nullptr, walk.format) << form.riff_id << " " << form.form_type;
        EXPECT_EQ(nullptr, walk.data) << form.riff_id << " " << form.form_type;
        EXPECT_EQ(0u, walk.size) << form.riff_id << " " << form.form_type;
    }
}

TEST(WaveParse, OnlyWhatIsAskedForIsSetAndNothingAskedForIsZero) {
    const std::vector<uint8_t> image = WaveImage().format(16).chunk("data", 4).image();
    EXPECT_EQ(0, wave_parse(image.data(), nullptr, nullptr, nullptr)) << "walks to the end";
    const tWAVEFORMATEX *format = nullptr;
    EXPECT_EQ(1, wave_parse(image.data(), &format, nullptr, nullptr));
    EXPECT_EQ(image.data() + 20, reinterpret_cast<const uint8_t *>(format));
    uint32_t size = 0;
    EXPECT_EQ(1, wave_parse(image.data(), nullptr, nullptr, &size));
    EXPECT_EQ(4u, size);
}

TEST(WaveParseBounded, AgreesWithTheUnboundedWalkOnWholeImages) {
    const std::vector<std::vector<uint8_t>> images = {
        WaveImage().format(18).chunk("fact", 4).chunk("data", 1322).image(),
        WaveImage().chunk("data", 0).chunk("data", 7).format(16).image(),
        WaveImage().format(13).image(),
        WaveImage().format(16).image(),
    };
    for (size_t i = 0; i < images.size(); ++i) {
        const GuardedBytes guarded(images[i]);
        const Walk bounded = parse_bounded(guarded);
        Walk whole;
        whole.result = wave_parse(guarded.data(), &whole.format, &whole.data, &whole.size);
        EXPECT_EQ(whole.result, bounded.result) << "image " << i;
        EXPECT_EQ(whole.format, bounded.format) << "image " << i;
        EXPECT_EQ(whole.data, bounded.data) << "image " << i;
        EXPECT_EQ(whole.size, bounded.size) << "image " << i;
    }
}

TEST(WaveParseBounded, ReadsNoHeaderOrPayloadPastTheBound) {
    WaveImage builder;
    builder.format(16);
    const size_t header = builder.payload() + 16;
    const std::vector<uint8_t> image = builder.chunk("data", 100).image();

    for (size_t length : {header, header + 4, header + 7}) {
        const Walk walk = parse_bounded(cut(image, length));
        EXPECT_EQ(0, walk.result) << "image cut at " << length;
        EXPECT_NE(nullptr, walk.format) << "image cut at " << length;
        EXPECT_EQ(nullptr, walk.data) << "image cut at " << length;
    }
    const Walk short_payload = parse_bounded(cut(image, header + 8 + 99));
    EXPECT_EQ(0, short_payload.result) << "a data chunk reaching past the bound is not taken";
    EXPECT_EQ(nullptr, short_payload.data);
    EXPECT_EQ(0u, short_payload.size);

    for (size_t length : {size_t(0), size_t(4), size_t(11)}) {
        const Walk walk = parse_bounded(cut(image, length));
        EXPECT_EQ(0, walk.result) << "image cut at " << length;
        EXPECT_EQ(nullptr, walk.format) << "image cut at " << length;
    }
}

TEST(WaveParseBounded, OversizedChunksEndTheWalk) {
    // A size of 0xFFFFFFFF made even wraps to 0 in 32 bits; the bound ends the walk at it.
    for (uint32_t declared : {0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u}) {
        WaveImage builder;
        builder.header("LIST", declared).format(16).chunk("data", 4);
        const GuardedBytes guarded(builder.image());
        const Walk walk = parse_bounded(guarded);
        EXPECT_EQ(0, walk.result) << std::hex << declared;
        EXPECT_EQ(nullptr, walk.format) << std::hex << declared;
    }
    WaveImage huge_riff;
    huge_riff.format(16).chunk("data", 4).riff_size(0xFFFFFFFFu);
    const GuardedBytes guarded(huge_riff.image());
    EXPECT_EQ(1, parse_bounded(guarded).result) << "a riff size past the bound ends nothing early";
}

TEST(WaveParseBounded, AFinalOddChunkWithoutItsPadByteIsTaken) {
    std::vector<uint8_t> image = WaveImage().format(16).chunk("data", 3).image();
    image.pop_back();  // the pad byte
    const Walk walk = parse_bounded(GuardedBytes(image));
    EXPECT_EQ(1, walk.result);
    EXPECT_EQ(3u, walk.size);
}

}  // namespace
