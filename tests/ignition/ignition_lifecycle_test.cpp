// The ignition gauge driven as the host drives it: the order and arguments of
// the services its routines call, and where its click region lies.
#include "loaded_gauge_test.h"

namespace {

class IgnitionLifecycle : public LoadedGaugeTest {
protected:
    IgnitionLifecycle() : LoadedGaugeTest("Delvarotine.gau") {}
};

using Names = std::vector<std::string>;

TEST_F(IgnitionLifecycle, InstallBindsTheTickCounterFirstThenHandsOverElementsAndMouse) {
    gauge.host.set_token(1, 4321.0);
    gauge.install();
    ASSERT_EQ((Names{"BindVar", "InstallElements", "InstallMouse", "RegisterMouse"}),
              gauge.service_names());
    const auto &calls = gauge.host.calls;
    EXPECT_EQ(1u, calls[0].args[1]) << "the tick counter's token";
    const ModuleVar *tick = reinterpret_cast<const ModuleVar *>(calls[0].args[0]);
    EXPECT_EQ(4321.0, tick->value);
    EXPECT_EQ(word_of(gauge.head()), calls[1].args[0]);
    EXPECT_EQ(word_of(gauge.module()), calls[1].args[1]);
    const uint32_t image_record = words_of(gauge.head())[15];
    ASSERT_NE(0u, image_record);
    EXPECT_EQ(image_record + 4, calls[2].args[2]) << "InstallMouse gets the image size";
    const ImageSize *size = reinterpret_cast<const ImageSize *>(calls[2].args[2]);
    EXPECT_EQ(100, size->width);
    EXPECT_EQ(78, size->height);
    EXPECT_EQ(word_of(gauge.header), calls[2].args[1]);
    EXPECT_EQ(calls[2].args[0], calls[3].args[0]) << "the same mouse list is registered";
    EXPECT_EQ(word_of(gauge.header), calls[3].args[1]);
    EXPECT_TRUE(gauge.host.install_error.empty()) << gauge.host.install_error;
}

TEST_F(IgnitionLifecycle, InitializeOnlyInitialisesTheElements) {
    gauge.install();
    gauge.forget_calls();
    gauge.initialize();
    ASSERT_EQ((Names{"InitElements"}), gauge.service_names());
    EXPECT_EQ(word_of(gauge.head()), gauge.host.calls[0].args[0]);
}

TEST_F(IgnitionLifecycle, EveryUpdateRefreshesTheBoundTickCounterBeforeUpdateElements) {
    gauge.start();
    const uintptr_t bound = gauge.host.calls[0].args[0];
    gauge.forget_calls();
    for (int update = 0; update < 3; ++update) {
        gauge.host.set_token(1, 100.0 + update);
        gauge.update();
        const auto &calls = gauge.host.calls;
        ASSERT_EQ(2u * (update + 1), calls.size()) << "update " << update;
        const auto &refresh = calls[2 * update];
        EXPECT_EQ("RefreshVar", refresh.service) << "update " << update;
        EXPECT_EQ(bound, refresh.args[0]) << "the record bound at install";
        EXPECT_EQ(1u, refresh.args[1]);
        EXPECT_EQ(100.0 + update, reinterpret_cast<const ModuleVar *>(bound)->value);
        EXPECT_EQ("UpdateElements", calls[2 * update + 1].service) << "update " << update;
        EXPECT_EQ(word_of(gauge.head()), calls[2 * update + 1].args[0]);
    }
}

TEST_F(IgnitionLifecycle, KillUnregistersMouseThenKillsElements) {
    gauge.start();
    gauge.forget_calls();
    gauge.kill();
    EXPECT_EQ((Names{"UnregisterMouse", "KillElements"}), gauge.service_names());
    EXPECT_FALSE(gauge.click(50, 30).has_value()) << "no handler after kill";
}

TEST_F(IgnitionLifecycle, QueryGenerateAndDrawPassThroughToTheHost) {
    gauge.start();
    gauge.forget_calls();
    gauge.host.query_result = 0x4321;
    EXPECT_EQ(0x4321, gauge.query());
    gauge.generate(0xCAFEF00D);
    gauge.draw();
    ASSERT_EQ((Names{"QueryElements", "GenerateElements", "DrawElements"}), gauge.service_names());
    for (const auto &call : gauge.host.calls)
        EXPECT_EQ(word_of(gauge.head()), call.args[0]) << call.service;
    EXPECT_EQ(0xCAFEF00Du, gauge.host.calls[1].args[1]);
}

TEST_F(IgnitionLifecycle, ClicksReachTheHandlerOnlyInsideItsRegion) {
    gauge.start();
    EXPECT_EQ(1, gauge.click(26, 1).value_or(-1));
    EXPECT_EQ(1, gauge.click(106, 76).value_or(-1));
    EXPECT_FALSE(gauge.click(25, 40).has_value());
    EXPECT_FALSE(gauge.click(60, 0).has_value());
    EXPECT_FALSE(gauge.click(107, 40).has_value());
    EXPECT_FALSE(gauge.click(60, 77).has_value());
}

}  // namespace
