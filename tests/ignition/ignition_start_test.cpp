// The ignition gauge's start sequence and stop click, on a host whose tick
// counter (token 1) and ignition state (token 131) the tests set.
#include "gauge_under_test.h"

namespace {

const uint32_t start_event = 0x000101EA;
const uint32_t stop_event = 0x000101E7;

struct Event {
    uint32_t id, value;
    bool operator==(const Event &other) const { return id == other.id && value == other.value; }
};
using Events = std::vector<Event>;

std::ostream &operator<<(std::ostream &out, const Event &event) {
    return out << std::hex << "{0x" << event.id << ", " << event.value << "}" << std::dec;
}

class IgnitionStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gauge.load("Delvarotine.gau"));
        gauge.start();
    }

    void set_ignition(double value) { gauge.host.set_token(131, value); }
    void update_at(double ticks) {
        gauge.host.set_token(1, ticks);
        gauge.update();
    }
    int32_t click() { return gauge.click(60, 40).value_or(-1); }
    // The events sent since the last forget_calls().
    Events events() const {
        Events sent;
        for (const auto &call : gauge.host.calls)
            if (call.service == "SendEvent")
                sent.push_back({uint32_t(call.args[0]), uint32_t(call.args[1])});
        return sent;
    }
    bool lamp_shown() const { return gauge.host.shown(gauge.child(gauge.head(), 0)); }
    // Whether the cranking lamp and the cranking picture show; they always agree.
    bool cranking_shown() const {
        const bool lamp = gauge.host.shown(gauge.child(gauge.head(), 1));
        const bool picture = gauge.host.shown(gauge.child(gauge.head(), 2));
        EXPECT_EQ(lamp, picture) << "cranking lamp and picture disagree";
        return lamp && picture;
    }

    GaugeUnderTest gauge;
};

TEST_F(IgnitionStart, IdleGaugeShowsNothingAndSendsNothing) {
    for (double ticks = 0; ticks < 500; ticks += 100)
        update_at(ticks);
    EXPECT_FALSE(lamp_shown());
    EXPECT_FALSE(cranking_shown());
    EXPECT_EQ(Events{}, events());
}

TEST_F(IgnitionStart, StartingClickCranksFromTheNextUpdate) {
    update_at(1000);
    EXPECT_EQ(1, click());
    EXPECT_FALSE(cranking_shown()) << "nothing changes before the next update";
    update_at(1000);
    EXPECT_TRUE(cranking_shown());
    EXPECT_FALSE(lamp_shown());
    EXPECT_EQ(Events{}, events());
}

TEST_F(IgnitionStart, StartEventGoesOutOnceAtTheFirstUpdateMoreThan80TicksOn) {
    click();
    update_at(1000);  // cranking begins here
    for (double ticks : {1000.0, 1040.0, 1079.5, 1080.0}) {
        update_at(ticks);
        EXPECT_TRUE(cranking_shown()) << "at tick " << ticks;
        EXPECT_EQ(Events{}, events()) << "at tick " << ticks;
    }
    update_at(1080.25);
    EXPECT_EQ((Events{{start_event, 1}}), events());
    EXPECT_FALSE(cranking_shown());
    for (double ticks : {1081.0, 1200.0, 5000.0})
        update_at(ticks);
    EXPECT_EQ((Events{{start_event, 1}}), events()) << "sent once only";
    EXPECT_FALSE(cranking_shown());
}

TEST_F(IgnitionStart, ALongGapBetweenUpdatesSendsTheStartAtTheFirstUpdateAfterIt) {
    click();
    update_at(10);
    update_at(100000);
    EXPECT_EQ((Events{{start_event, 1}}), events());
}

TEST_F(IgnitionStart, AStalledTickCounterCranksForEver) {
    update_at(77);
    click();
    for (int update = 0; update < 1000; ++update)
        update_at(77);
    EXPECT_TRUE(cranking_shown());
    EXPECT_EQ(Events{}, events());
}

TEST_F(IgnitionStart, ASecondClickWhileCrankingChangesNothing) {
    click();
    update_at(1000);
    update_at(1050);
    EXPECT_EQ(1, click());
    update_at(1060);
    EXPECT_TRUE(cranking_shown());
    update_at(1081);  // 81 ticks after cranking began, not after the second click
    EXPECT_EQ((Events{{start_event, 1}}), events());
    EXPECT_FALSE(cranking_shown());
}

TEST_F(IgnitionStart, AClickWithTheIgnitionNotOffSendsTheStopAndChangesNoState) {
    for (double ignition : {0.5, 1.0}) {
        set_ignition(ignition);
        update_at(100);
        gauge.forget_calls();
        EXPECT_EQ(1, click()) << "ignition " << ignition;
        EXPECT_EQ((Events{{stop_event, 1}}), events()) << "ignition " << ignition;
        set_ignition(0);
        update_at(200);
        update_at(400);
        EXPECT_FALSE(cranking_shown()) << "ignition " << ignition << ": no start was requested";
        EXPECT_EQ((Events{{stop_event, 1}}), events()) << "ignition " << ignition;
    }
}

TEST_F(IgnitionStart, TheIgnitionLampShowsOnlyAtExactlyOne) {
    for (double ignition : {0.0, 0.5, 0.9999999, 1.0000001, 2.0, -1.0, 1.0}) {
        set_ignition(ignition);
        update_at(0);
        EXPECT_EQ(ignition == 1.0, lamp_shown()) << "ignition " << ignition;
    }
}

TEST_F(IgnitionStart, TheClickActsOnTheIgnitionStateTheLastUpdateSaw) {
    set_ignition(1.0);
    EXPECT_EQ(1, click());  // no update has seen the 1 yet
    EXPECT_EQ(Events{}, events());
    update_at(10);
    EXPECT_TRUE(cranking_shown()) << "the click at load requested a start";
}

TEST_F(IgnitionStart, AStopClickDuringCrankingLeavesTheCrankingAndTheStartEvent) {
    click();
    update_at(1000);
    set_ignition(1.0);  // the engine catches while the starter runs
    update_at(1010);
    EXPECT_TRUE(lamp_shown());
    EXPECT_TRUE(cranking_shown());
    click();
    EXPECT_EQ((Events{{stop_event, 1}}), events());
    update_at(1020);
    EXPECT_TRUE(cranking_shown());
    update_at(1081);
    EXPECT_EQ((Events{{stop_event, 1}, {start_event, 1}}), events());
    EXPECT_FALSE(cranking_shown());
}

TEST_F(IgnitionStart, TheWholeRoadFromClickToLampWithAHostThatStartsTheEngine) {
    gauge.host.on_event = [&](uint32_t id, uint32_t) {
        if (id == start_event)
            set_ignition(1.0);
        if (id == stop_event)
            set_ignition(0.0);
    };
    click();
    for (double ticks = 0; ticks <= 90; ticks += 10)
        update_at(ticks);  // cranking from tick 0, start sent at tick 90
    EXPECT_FALSE(lamp_shown()) << "the engine runs from the next update";
    update_at(100);
    EXPECT_TRUE(lamp_shown());
    click();
    update_at(110);
    EXPECT_FALSE(lamp_shown());
    click();
    update_at(120);
    EXPECT_TRUE(cranking_shown()) << "a second start after the stop";
    EXPECT_EQ((Events{{start_event, 1}, {stop_event, 1}}), events());
}

TEST_F(IgnitionStart, TheStateSurvivesKillAndInstall) {
    click();
    update_at(1000);
    gauge.kill();
    gauge.start();
    update_at(1050);
    EXPECT_TRUE(cranking_shown()) << "still cranking after a new install";
    update_at(1081);
    EXPECT_EQ((Events{{start_event, 1}}), events()) << "timed from the first install's tick";

    set_ignition(0.5);
    update_at(1100);
    gauge.kill();
    gauge.start();
    gauge.forget_calls();
    click();  // before any update of the new install
    EXPECT_EQ((Events{{stop_event, 1}}), events()) << "the last ignition state is kept";
}

}  // namespace
