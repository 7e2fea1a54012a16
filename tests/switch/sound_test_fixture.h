// What the sound library's tests share: the test program's own wave
// resources (wave_resources.rc) and an object made on a fake device.
#ifndef SOUND_TEST_FIXTURE_H
#define SOUND_TEST_FIXTURE_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_direct_sound.h"
#include "sound_library.h"
#include "wave_resource.h"

typedef std::vector<std::string> Calls;

// The bytes of one of the test program's raw-data resources.
inline const uint8_t *test_resource(const char *name) {
    HMODULE module = GetModuleHandleA(nullptr);
    return static_cast<const uint8_t *>(
        LockResource(LoadResource(module, FindResourceA(module, name, WAVE_RESOURCE_TYPE))));
}
inline const uint8_t *click_samples() { return test_resource("CLICK") + 58; }
const uint32_t click_size = 1322;

// Whether `memory` begins with the click's samples.
inline bool holds_click(const std::vector<uint8_t> &memory) {
    return memory.size() >= click_size && memcmp(memory.data(), click_samples(), click_size) == 0;
}

class FakeDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { sound_resource_module = GetModuleHandleA(nullptr); }
    void TearDown() override { sound_object_destroy(object); }

    // Makes `object` on the fake device; the calls that made it are forgotten.
    SoundObject *make(int32_t count, const char *name = "CLICK") {
        object = sound_object_create(&device, name, count);
        device.calls.clear();
        entry.sound = object;
        return object;
    }
    // Destroys `object` and forgets the device's buffers, so that names start at b0 again.
    void start_over() {
        sound_object_destroy(object);
        object = nullptr;
        device.buffers.clear();
        device.descriptions.clear();
        device.calls.clear();
    }
    // The calls since the last look.
    Calls calls() {
        Calls seen = device.calls;
        device.calls.clear();
        return seen;
    }

    FakeSoundDevice device;
    SoundObject *object = nullptr;
    SoundEntry entry = {"CLICK", nullptr};
};

#endif
