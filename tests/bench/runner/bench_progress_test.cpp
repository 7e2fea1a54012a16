// The progress line of a long headless run, on a clock the test moves: when
// it first shows, how often it is rewritten, what it says and its erasure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "progress.h"

namespace {

class ProgressLine : public ::testing::Test {
protected:
    bench::Progress start(long long total, unsigned long long after_ms = bench::PROGRESS_AFTER_MS) {
        return bench::Progress(total, after_ms, [this] { return now; },
                               [this](const std::string &text) { shown.push_back(text); });
    }
    // Ticks `count` times, the clock moving on by `ms` before each tick.
    void tick(bench::Progress &progress, int count, unsigned long long ms) {
        for (int i = 0; i < count; ++i) {
            now += ms;
            progress.ticked();
        }
    }

    unsigned long long now = 1000000;
    std::vector<std::string> shown;
};

TEST_F(ProgressLine, ShowsNothingBeforeTwoSecondsNorForAShortRun) {
    bench::Progress progress = start(1000);
    tick(progress, 999, 2);  // 1.998 s
    progress.finish();
    EXPECT_TRUE(shown.empty()) << "a run that ends within 2 s writes nothing, not even an erasure";
}

TEST_F(ProgressLine, FirstLineAfterTwoSecondsThenAtMostFourASecond) {
    bench::Progress progress = start(100000);
    tick(progress, 1999, 1);
    EXPECT_TRUE(shown.empty());
    tick(progress, 1, 1);  // 2.000 s
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("tick 2000 of 100000, 0:01:51 simulated", shown[0]);
    tick(progress, 249, 1);
    EXPECT_EQ(1u, shown.size()) << "no rewrite within 250 ms";
    tick(progress, 1, 1);
    EXPECT_EQ(2u, shown.size());
    // Ticks 100 ms apart: a rewrite at the first tick 250 ms after the last.
    tick(progress, 8, 100);
    EXPECT_EQ(4u, shown.size()) << "800 ms of ticks 100 ms apart";
    EXPECT_EQ("tick 2256 of 100000, 0:02:05 simulated", shown.back());
    progress.finish();
    ASSERT_EQ(5u, shown.size());
    EXPECT_EQ("", shown.back()) << "the line is erased at the end";
    progress.finish();
    EXPECT_EQ(5u, shown.size()) << "erased once";
}

TEST_F(ProgressLine, AShorterWaitShowsAtOnce) {
    bench::Progress progress = start(10, 0);
    tick(progress, 1, 0);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("tick 1 of 10, 0:00:00 simulated", shown[0]);
}

TEST(ProgressText, SimulatedTimeInHoursMinutesAndSeconds) {
    EXPECT_EQ("tick 0 of 0, 0:00:00 simulated", bench::describe_progress(0, 0));
    EXPECT_EQ("tick 17 of 18, 0:00:00 simulated", bench::describe_progress(17, 18));
    EXPECT_EQ("tick 1000000 of 1000000, 15:25:55 simulated", bench::describe_progress(1000000, 1000000));
    EXPECT_EQ("tick 64800 of 70000, 1:00:00 simulated", bench::describe_progress(64800, 70000));
}

}  // namespace
