// A fixture that holds one built gauge file, loaded afresh for every test and
// watched while it runs: a sound recorder on its DirectSoundCreate import and
// a counter on its allocation imports.
#ifndef WATCHED_GAUGE_TEST_H
#define WATCHED_GAUGE_TEST_H

#include <memory>

#include "allocation_counter.h"
#include "loaded_gauge_test.h"
#include "sound_recorder.h"

class WatchedGaugeTest : public LoadedGaugeTest {
protected:
    // `allocator` names the allocation import the gauge is known to use.
    WatchedGaugeTest(const char *file_name, const char *allocator)
        : LoadedGaugeTest(file_name), allocator(allocator) {}
    void SetUp() override {
        LoadedGaugeTest::SetUp();
        if (HasFatalFailure())
            return;
        recorder = std::make_unique<SoundRecorder>(gauge.module());
        ASSERT_TRUE(recorder->hooked());
        allocations = std::make_unique<AllocationCounter>(gauge.module());
        ASSERT_LT(0, allocations->patched()) << "the gauge imports " << allocator;
    }
    void TearDown() override {
        allocations.reset();
        recorder.reset();
    }

    std::unique_ptr<SoundRecorder> recorder;
    std::unique_ptr<AllocationCounter> allocations;

private:
    const char *allocator;
};

#endif
