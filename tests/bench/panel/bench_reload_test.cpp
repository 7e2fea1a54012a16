// A running panel reloaded from its files, on the real gauge files: what a
// reload replaces, what carries on, what it refuses, and the trace's
// account of what changed.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "gauge_file.h"
#include "panel.h"
#include "panel_changes.h"
#include "panel_reload.h"
#include "test_files.h"

namespace {

std::vector<uint8_t> bytes_of(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> text_bytes(const std::string &text) { return std::vector<uint8_t>(text.begin(), text.end()); }

const char BOTH_GAUGES[] = "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=240, 150\ngauge00=Brennovalux, 20, 40\ngauge01=Delvarotine, 100, 40\n";
const char IGNITION_ONLY[] = "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=240, 150\ngauge01=Delvarotine, 100, 40\n";

class PanelReloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *name : {"Brennovalux.gau", "Delvarotine.gau"})
            folder.write(std::string("panel\\") + name, bytes_of(panel_host::program_folder() + name));
        ASSERT_TRUE(trace.open_file(trace_path));
        panel.use_clock_sound();
    }
    void TearDown() override { panel.finish(); }

    // Loads and starts `text` as the panel file, reloaded by a reload of its own.
    void start(const std::string &text, bool strict = false) {
        write(text);
        PanelConfig config;
        std::string error;
        ASSERT_TRUE(read(config, found, error)) << error;
        ASSERT_TRUE(panel.load(config, found)) << describe(found);
        reload = std::make_unique<bench::PanelReload>(panel, trace, bench::PanelSource{"panel.cfg", config_path, read},
                                                      config, strict);
        panel.start();
    }
    void write(const std::string &text) { folder.write("panel\\panel.cfg", text_bytes(text)); }
    static std::string describe(const bench::Diagnostics &diagnostics) {
        std::string text;
        for (const bench::Diagnostic &item : diagnostics.items())
            text += format(item) + "\n";
        return text;
    }
    std::string trace_text() const {
        std::ifstream in(trace_path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void click(const std::string &gauge) {
        int x = 0, y = 0;
        bench::PlacedGauge *placed = panel.find(gauge);
        ASSERT_NE(nullptr, placed);
        ASSERT_TRUE(panel.click_point(*placed, x, y));
        ASSERT_TRUE(panel.click_pixel(placed->window, x, y));
    }
    double variable(const std::string &name) {
        double value = -1;
        EXPECT_TRUE(panel.aircraft().read(name, value)) << name;
        return value;
    }
    size_t running() const {
        size_t count = 0;
        for (const bench::PlacedGauge &gauge : panel.gauges())
            count += gauge.runs();
        return count;
    }

    using PanelConfig = bench::PanelConfig;
    TestFolder folder;
    const std::string config_path = folder.path() + "\\panel\\panel.cfg";
    const std::string trace_path = folder.write("trace.txt", {});  // removed with the folder
    bench::PanelSource::Reader read = [this](PanelConfig &config, bench::Diagnostics &diagnostics,
                                             std::string &error) {
        std::string text;
        if (!bench::read_text_file(config_path, 1 << 20, text, error)) {
            error = "panel.cfg: " + error;
            return false;
        }
        config = bench::read_panel_text("panel.cfg", text, diagnostics, config_path);
        return true;
    };
    bench::Diagnostics found;
    bench::Trace trace;
    bench::Panel panel{trace, {}, false};
    std::unique_ptr<bench::PanelReload> reload;
};

TEST_F(PanelReloadTest, AnEditTakingTheSwitchOutReloadsWithoutItAndTheAircraftCarriesOn) {
    start(BOTH_GAUGES);
    click("Brennovalux");
    for (int tick = 0; tick < 5; ++tick)
        panel.cycle();
    ASSERT_EQ(1, variable("batt1_on"));
    write(IGNITION_ONLY);
    ASSERT_TRUE(reload->reload("panel.cfg changed")) << reload->refusal();
    EXPECT_EQ(nullptr, panel.find("Brennovalux"));
    ASSERT_NE(nullptr, panel.find("Delvarotine"));
    EXPECT_EQ(1u, running());
    EXPECT_EQ(1, variable("batt1_on")) << "the aircraft's variables carry on";
    EXPECT_EQ(5u, panel.aircraft().ticks());
    panel.cycle();
    EXPECT_EQ(6u, panel.aircraft().ticks()) << "the tick count carries on";
    const std::string text = trace_text();
    for (const char *line : {"reload: panel.cfg changed", "Brennovalux: killed", "Delvarotine: killed",
                             "reload: 00:gauge00 (Brennovalux) taken out", "[tick     5] Delvarotine: install"})
        EXPECT_NE(std::string::npos, text.find(line)) << "no \"" << line << "\" in\n" << text;
    EXPECT_TRUE(reload->refusal().empty());
}

TEST_F(PanelReloadTest, AReloadInstallsAfreshFromTheRebuiltGaugeFile) {
    start(BOTH_GAUGES);
    const GaugeHeader *before = panel.find("Delvarotine")->header;
    // A rebuild that makes Delvarotine.gau another gauge: written over the original while it runs.
    folder.write("panel\\Delvarotine.gau", bytes_of(panel_host::program_folder() + "Brennovalux.gau"));
    ASSERT_TRUE(reload->reload("Delvarotine.gau changed")) << reload->refusal();
    const bench::PlacedGauge *rebuilt = panel.find("00:gauge01");
    ASSERT_NE(nullptr, rebuilt);
    ASSERT_TRUE(rebuilt->runs()) << rebuilt->not_run;
    EXPECT_NE(before, rebuilt->header);
    EXPECT_STREQ(panel.find("Brennovalux")->header->name, rebuilt->header->name)
        << "the rebuilt file's gauge runs";
    EXPECT_NE(panel.find("Brennovalux")->header, rebuilt->header) << "each file a module of its own";
    click("00:gauge01");
}

TEST_F(PanelReloadTest, UnderStrictAWarningKeepsTheLastGoodPanelRunning) {
    start(BOTH_GAUGES, true);
    const GaugeHeader *switch_header = panel.find("Brennovalux")->header;
    write(std::string(BOTH_GAUGES) + "gauge02=Fuelgauge, 180, 40\n");
    EXPECT_FALSE(reload->reload("panel.cfg changed"));
    EXPECT_NE(std::string::npos, reload->refusal().find("--strict: 1 warning(s)")) << reload->refusal();
    EXPECT_EQ(2u, running());
    EXPECT_EQ(switch_header, panel.find("Brennovalux")->header) << "the running gauges were replaced";
    click("Brennovalux");
    panel.cycle();
    EXPECT_EQ(1, variable("batt1_on")) << "the last good panel stopped running";
    EXPECT_NE(std::string::npos, trace_text().find("reload refused: --strict"));
    EXPECT_EQ(std::string::npos, trace_text().find("killed"));
    write(IGNITION_ONLY);
    EXPECT_TRUE(reload->reload("panel.cfg changed")) << reload->refusal();
    EXPECT_TRUE(reload->refusal().empty());
}

TEST_F(PanelReloadTest, AFileThatCannotBeReadOrHasNoWindowKeepsTheLastGoodPanel) {
    start(BOTH_GAUGES);
    DeleteFileA(config_path.c_str());
    EXPECT_FALSE(reload->reload("panel.cfg changed"));
    EXPECT_NE(std::string::npos, reload->refusal().find("panel.cfg: ")) << reload->refusal();
    write("[Panel]\nsize_mm=240\n");
    EXPECT_FALSE(reload->reload("panel.cfg changed"));
    EXPECT_NE(std::string::npos, reload->refusal().find("no [WindowNN] section")) << reload->refusal();
    EXPECT_EQ(2u, running());
    click("Brennovalux");
    panel.cycle();
    EXPECT_EQ(1, variable("batt1_on"));
}

TEST_F(PanelReloadTest, WindowsKeepTheStateShownByHandUnlessTheirVisibleLineChanged) {
    const std::string second = "[Window01]\nsize_mm=100, 50\ngauge00=Delvarotine, 0, 0, 50\n";
    const std::string titles = "[Window Titles]\nWindow00=Main\nWindow01=Ignition\n";
    start(titles + "[Window00]\nsize_mm=240, 150\nvisible=1\ngauge00=Brennovalux, 20, 40\n" + second + "visible=0\n");
    ASSERT_EQ(2u, panel.windows().size());
    panel.windows()[0].shown = false;  // as Shift+1 hides it
    write(titles + "[Window00]\nsize_mm=240, 160\nvisible=1\ngauge00=Brennovalux, 20, 40\n" + second + "visible=1\n");
    ASSERT_TRUE(reload->reload("panel.cfg changed")) << reload->refusal();
    EXPECT_FALSE(panel.windows()[0].shown) << "hidden by hand, its visible= line unchanged";
    EXPECT_TRUE(panel.windows()[1].shown) << "its visible= line changed to 1";
    EXPECT_NE(std::string::npos, trace_text().find("reload: window 00 now 240 x 160 pixels (was 240 x 150 pixels)"));
    EXPECT_NE(std::string::npos, trace_text().find("reload: window 01 shown: its visible= line changed"));
}

TEST_F(PanelReloadTest, AGaugeFileCopiedInLaterIsSeenAndRuns) {
    start(std::string(BOTH_GAUGES) + "file=back.bmp\ngauge02=Fuelgauge, 180, 40\n");
    reload->watch_files();
    std::vector<std::string> names;
    for (const bench::WatchedFile &file : reload->watch().files())
        names.push_back(file.name);
    // Every place the missing file was looked for is watched.
    EXPECT_EQ((std::vector<std::string>{"panel.cfg", "back.bmp", "Brennovalux.gau", "Delvarotine.gau",
                                        "Fuelgauge.gau", "Fuelgauge.dll", "Fuelgauge.cab", "Fuelgauge"}),
              names);
    EXPECT_EQ("", reload->poll(0));
    folder.write("panel\\Fuelgauge.gau", bytes_of(panel_host::program_folder() + "Delvarotine.gau"));
    EXPECT_EQ("", reload->poll(500)) << "reported before it settled";
    const std::string changed = reload->poll(1000);
    ASSERT_EQ("Fuelgauge.gau changed", changed);
    ASSERT_TRUE(reload->reload(changed)) << reload->refusal();
    ASSERT_NE(nullptr, panel.find("Fuelgauge"));
    EXPECT_TRUE(panel.find("Fuelgauge")->runs()) << panel.find("Fuelgauge")->not_run;
    EXPECT_NE(std::string::npos, trace_text().find("reload: 00:gauge02 (Fuelgauge) now runs"));
}

// What the trace says a reload changed.
bench::PanelSketch::Gauge gauge(const std::string &place, const std::string &label, const std::string &extent,
                                const std::string &not_run = "") {
    return {place, label, extent, not_run};
}

TEST(PanelChanges, EachDifferenceIsALine) {
    bench::PanelSketch before, after;
    before.windows = {{0, 240, 150, 7}, {1, 100, 50, 2}, {2, 10, 10, 0}};
    after.windows = {{0, 240, 160, 7}, {1, 100, 50, 5}, {3, 64, 64, 1}};
    before.gauges = {gauge("00:gauge00", "Brennovalux", "at (20, 40)"), gauge("00:gauge01", "Delvarotine", "A"),
                     gauge("00:gauge02", "Fuel", "B", "no such file"), gauge("01:gauge00", "Old", "C")};
    after.gauges = {gauge("00:gauge00", "Brennovalux", "at (30, 40)"), gauge("00:gauge01", "Delvarotine", "A", "gone"),
                    gauge("00:gauge02", "Fuel", "B"), gauge("01:gauge00", "New", "C"),
                    gauge("03:gauge00", "Other", "D", "no such file")};
    EXPECT_EQ((std::vector<std::string>{
                  "window 00 now 240 x 160 pixels (was 240 x 150 pixels)",
                  "window 01 now at position 5 (was 2)",
                  "window 03 added, 64 x 64 pixels",
                  "window 02 taken out",
                  "00:gauge00 (Brennovalux) now at (30, 40) (was at (20, 40))",
                  "00:gauge01 (Delvarotine) now a placeholder: gone",
                  "00:gauge02 (Fuel) now runs, B",
                  "01:gauge00 now New (was Old)",
                  "03:gauge00 (Other) added, a placeholder: no such file",
              }),
              bench::describe_changes(before, after));
    EXPECT_EQ(std::vector<std::string>{"the layout is as before"}, bench::describe_changes(after, after));
    bench::PanelSketch empty;
    EXPECT_EQ(std::vector<std::string>{"00:gauge00 (Brennovalux) taken out"},
              bench::describe_changes({{}, {before.gauges[0]}}, empty));
}

}  // namespace
