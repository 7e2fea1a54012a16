// The wave resource lookup on the test program's own raw-data resources,
// through the real resource loader.
#include <windows.h>

#include <gtest/gtest.h>

#include "wave_resource.h"

namespace {

struct Lookup {
    const WAVEFORMATEX *format = reinterpret_cast<const WAVEFORMATEX *>(1);
    const uint8_t *data = reinterpret_cast<const uint8_t *>(1);
    uint32_t size = 0xDEAD;
    int result = -1;
};

Lookup find(const char *name) {
    Lookup lookup;
    lookup.result =
        wave_resource_find(GetModuleHandleA(nullptr), name, &lookup.format, &lookup.data,
                           &lookup.size);
    return lookup;
}

const uint8_t *resource_bytes(const char *name) {
    HMODULE module = GetModuleHandleA(nullptr);
    return static_cast<const uint8_t *>(
        LockResource(LoadResource(module, FindResourceA(module, name, WAVE_RESOURCE_TYPE))));
}

TEST(WaveResourceFind, ClickYieldsItsFormatDataAndSizeInPlace) {
    const Lookup click = find("CLICK");
    const uint8_t *image = resource_bytes("CLICK");
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(1, click.result);
    EXPECT_EQ(image + 20, reinterpret_cast<const uint8_t *>(click.format));
    EXPECT_EQ(image + 58, click.data);
    EXPECT_EQ(1322u, click.size);
    EXPECT_EQ(1, click.format->wFormatTag);
    EXPECT_EQ(22050u, click.format->nSamplesPerSec);
}

TEST(WaveResourceFind, AMissingNameIsZeroWithEveryResultEmpty) {
    const Lookup missing = find("NOSUCHSOUND");
    EXPECT_EQ(0, missing.result);
    EXPECT_EQ(nullptr, missing.format);
    EXPECT_EQ(nullptr, missing.data);
    EXPECT_EQ(0u, missing.size);
}

TEST(WaveResourceFind, AResourceThatIsNoWaveIsFoundWithEveryResultEmpty) {
    const Lookup text = find("NOTWAVE");
    EXPECT_EQ(1, text.result);
    EXPECT_EQ(nullptr, text.format);
    EXPECT_EQ(nullptr, text.data);
    EXPECT_EQ(0u, text.size);
}

TEST(WaveResourceFind, ChunksReachingPastTheResourceAreNotTaken) {
    for (const char *name : {"TRUNCATED", "HEADERCUT"}) {
        const Lookup cut = find(name);
        EXPECT_EQ(1, cut.result) << name;
        EXPECT_EQ(resource_bytes(name) + 20, reinterpret_cast<const uint8_t *>(cut.format))
            << name;
        EXPECT_EQ(nullptr, cut.data) << name;
        EXPECT_EQ(0u, cut.size) << name;
    }
}

TEST(WaveResourceFind, ARiffSizePastTheResourceStillYieldsTheChunksInside) {
    const Lookup wave = find("LONGRIFF");
    EXPECT_EQ(1, wave.result);
    EXPECT_EQ(resource_bytes("LONGRIFF") + 44, wave.data);
    EXPECT_EQ(6u, wave.size);
}

TEST(WaveResourceFind, ResultsNotAskedForAreLeftAlone) {
    const uint8_t *data = nullptr;
    EXPECT_EQ(1, wave_resource_find(GetModuleHandleA(nullptr), "CLICK", nullptr, &data, nullptr));
    EXPECT_EQ(resource_bytes("CLICK") + 58, data);
    EXPECT_EQ(1, wave_resource_find(GetModuleHandleA(nullptr), "CLICK", nullptr, nullptr, nullptr));
}

}  // namespace
