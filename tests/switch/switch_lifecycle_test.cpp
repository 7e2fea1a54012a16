// The master switch driven as the host drives it: the order and arguments of
// the services it calls, the variables it publishes, and its clicks.
#include "loaded_gauge_test.h"

namespace {

const char *const published_names[] = {
    "batt1_on",   "volts_on",       "startvolts1_on", "gen_on",    "nav_on",         "land_on",
    "pitot_on",   "strobe_on",      "av_on",          "lowvolts_on", "gen2_on",      "volts2_on",
    "startvolts2_on", "batt2_on",   "flaps_on",       "gen3_on",   "volts3_on",      "startvolts3_on",
    "batt3_on",   "gen4_on",        "volts4_on",      "startvolts4_on", "batt4_on",  "spare0",
    "spare1",     "spare2",         "spare3",         "spare4",    "spare5",         "spare6",
    "spare7",     "spare8",         "spare9",
};

class SwitchLifecycle : public LoadedGaugeTest {
protected:
    SwitchLifecycle() : LoadedGaugeTest("Brennovalux.gau") {}

    void provide_all(int32_t initial) {
        for (const char *name : published_names)
            *gauge.host.provide_panel_variable(name) = initial;
    }
    // Every provided variable holds `value`.
    void expect_published(int32_t value) {
        for (const auto &variable : gauge.host.panel_variables())
            EXPECT_EQ(value, *variable.second) << variable.first;
    }
    ElementRecord *off_lever() { return gauge.child(gauge.head(), 0); }
    ElementRecord *on_lever() { return off_lever()->children[0]; }
};

TEST_F(SwitchLifecycle, InstallHandsOverElementsThenMouseRegionsWithTheBackgroundSize) {
    gauge.install();
    ASSERT_EQ((std::vector<std::string>{"InstallElements", "InstallMouse", "RegisterMouse"}),
              gauge.service_names());
    const auto &calls = gauge.host.calls;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(gauge.head()), calls[0].args[0]);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(gauge.module()), calls[0].args[1]);
    const uint32_t image_record = words_of(gauge.head())[15];
    ASSERT_NE(0u, image_record);
    EXPECT_EQ(image_record + 4, calls[1].args[2]) << "InstallMouse gets the image size";
    const ImageSize *size = reinterpret_cast<const ImageSize *>(calls[1].args[2]);
    EXPECT_EQ(60, size->width);
    EXPECT_EQ(78, size->height);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(gauge.header), calls[1].args[1]);
    EXPECT_EQ(calls[1].args[0], calls[2].args[0]) << "the same mouse list is registered";
    EXPECT_EQ(reinterpret_cast<uintptr_t>(gauge.header), calls[2].args[1]);
    EXPECT_TRUE(gauge.host.install_error.empty()) << gauge.host.install_error;
}

TEST_F(SwitchLifecycle, InitializeBindsTheNamesInOrderBeforeInitElements) {
    gauge.install();
    gauge.forget_calls();
    gauge.initialize();
    const auto &calls = gauge.host.calls;
    ASSERT_EQ(34u, calls.size());
    for (int i = 0; i < 33; ++i) {
        EXPECT_EQ("BindVarByName", calls[i].service) << i;
        EXPECT_EQ(published_names[i], calls[i].name) << i;
    }
    EXPECT_EQ("InitElements", calls[33].service);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(gauge.head()), calls[33].args[0]);
}

TEST_F(SwitchLifecycle, UpdatesPublishOffThenOnAfterAClick) {
    provide_all(7);
    gauge.start();
    gauge.forget_calls();
    gauge.update();
    EXPECT_EQ((std::vector<std::string>{"UpdateElements"}), gauge.service_names());
    expect_published(0);
    EXPECT_EQ(0, gauge.click(5, 5).value_or(-1));
    expect_published(0) ;  // nothing is written until the next update
    gauge.update();
    expect_published(1);
}

TEST_F(SwitchLifecycle, UnboundNamesAreSkippedAndOtherWritesLastOneCycle) {
    *gauge.host.provide_panel_variable("batt1_on") = 5;
    *gauge.host.provide_panel_variable("spare9") = 5;
    gauge.start();
    gauge.click(1, 1);
    gauge.update();
    expect_published(1);
    *gauge.host.panel_variable("spare9") = 0;
    gauge.update();
    EXPECT_EQ(1, *gauge.host.panel_variable("spare9")) << "rewritten every cycle";
}

TEST_F(SwitchLifecycle, EveryClickShowsExactlyOneLeverAndKeepsOtherFlagBits) {
    gauge.start();
    off_lever()->draw_flags |= 0x100;  // a host bit the click must not touch
    for (int click = 1; click <= 4; ++click) {
        EXPECT_EQ(0, gauge.click(39, 59).value_or(-1)) << "click " << click;
        const bool on = click % 2 == 1;
        EXPECT_EQ(on, (off_lever()->draw_flags & DRAW_HIDDEN) != 0) << "click " << click;
        EXPECT_EQ(!on, (on_lever()->draw_flags & DRAW_HIDDEN) != 0) << "click " << click;
        EXPECT_EQ(0x103u, off_lever()->draw_flags & ~DRAW_HIDDEN);
        EXPECT_EQ(0x003u, on_lever()->draw_flags & ~DRAW_HIDDEN);
    }
    gauge.update();
    EXPECT_TRUE(gauge.host.shown(off_lever()));
    EXPECT_FALSE(gauge.host.shown(on_lever()));
}

TEST_F(SwitchLifecycle, ClicksOutsideTheRegionReachNoHandler) {
    gauge.start();
    EXPECT_FALSE(gauge.click(40, 10).has_value());
    EXPECT_FALSE(gauge.click(10, 60).has_value());
}

TEST_F(SwitchLifecycle, KillUnregistersMouseBeforeKillingElementsAndKeepsThePosition) {
    provide_all(0);
    gauge.start();
    gauge.click(1, 1);
    gauge.forget_calls();
    gauge.kill();
    EXPECT_EQ((std::vector<std::string>{"UnregisterMouse", "KillElements"}), gauge.service_names());
    EXPECT_FALSE(gauge.click(1, 1).has_value()) << "no handler after kill";
    gauge.start();
    gauge.update();
    expect_published(1);
    EXPECT_FALSE(gauge.host.shown(off_lever()));
    EXPECT_TRUE(gauge.host.shown(on_lever()));
}

TEST_F(SwitchLifecycle, QueryGenerateAndDrawPassThroughToTheHost) {
    gauge.start();
    gauge.forget_calls();
    gauge.host.query_result = 0x1234;
    EXPECT_EQ(0x1234, gauge.query());
    gauge.generate(0xDEADBEEF);
    gauge.draw();
    ASSERT_EQ((std::vector<std::string>{"QueryElements", "GenerateElements", "DrawElements"}),
              gauge.service_names());
    for (const auto &call : gauge.host.calls)
        EXPECT_EQ(reinterpret_cast<uintptr_t>(gauge.head()), call.args[0]) << call.service;
    EXPECT_EQ(0xDEADBEEFu, gauge.host.calls[1].args[1]);
}

}  // namespace
