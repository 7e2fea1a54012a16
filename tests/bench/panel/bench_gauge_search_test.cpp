// Where the bench looks for a gauge line's file, on files the test writes:
// the panel folder before the simulator's Gauges\, .gau before .dll, a .cab
// or a folder of the name as XML gauges, a path that climbs with ".." looked
// for where it leads only; every path looked at kept in order.
#include <gtest/gtest.h>

#include "folders.h"
#include "gauge_search.h"
#include "test_files.h"

namespace {

class GaugeSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        config.simulator_folder = folder.path() + "\\";
        config.folder = folder.path() + "\\Aircraft\\test\\panel\\";
        folder.write("Aircraft\\test\\panel\\panel.cfg", {});
    }

    bench::GaugeSearch find(const std::string &file) {
        bench::GaugeLine line;
        line.file = file;
        line.file_path = file;
        for (char &c : line.file_path)
            c = c == '/' ? '\\' : c;
        return bench::find_gauge_file(config, line);
    }

    TestFolder folder;
    bench::PanelConfig config;
};

TEST_F(GaugeSearchTest, ThePanelFolderCountsBeforeGaugesAndGauBeforeDll) {
    const std::string panel_gau = folder.write("Aircraft\\test\\panel\\Tones.gau", {1});
    folder.write("Aircraft\\test\\panel\\Tones.dll", {1});
    folder.write("Gauges\\Tones.gau", {1});
    bench::GaugeSearch found = find("Tones");
    EXPECT_EQ(panel_gau, found.path);
    EXPECT_EQ("Tones.gau", found.name);
    EXPECT_FALSE(found.in_gauges);
    EXPECT_EQ(std::vector<std::string>{panel_gau}, found.looked_for);
}

TEST_F(GaugeSearchTest, AFileNotInThePanelFolderIsFoundInGaugesWithItsSubfolders) {
    const std::string dll = folder.write("Gauges\\Avionics\\Tones.dll", {1});
    bench::GaugeSearch found = find("Avionics\\Tones");
    EXPECT_EQ(dll, found.path);
    EXPECT_EQ("Gauges\\Avionics\\Tones.dll", found.name);
    EXPECT_TRUE(found.in_gauges);
    EXPECT_EQ((std::vector<std::string>{config.folder + "Avionics\\Tones.gau", config.folder + "Avionics\\Tones.dll",
                                        config.simulator_folder + "Gauges\\Avionics\\Tones.gau", dll}),
              found.looked_for)
        << "every path looked at, for a watcher to see a file copied in";
}

TEST_F(GaugeSearchTest, ACabOrAFolderOfTheNameIsXmlGauges) {
    folder.write("Gauges\\Glass.cab", {'M', 'S', 'C', 'F'});
    bench::GaugeSearch cab = find("Glass");
    EXPECT_EQ("", cab.path);
    EXPECT_EQ("Gauges\\Glass.cab: XML gauges; the bench runs DLL gauges", cab.problem);
    folder.write("Aircraft\\test\\panel\\Sixpack\\panel.xml", {'<'});
    EXPECT_EQ("Sixpack\\: XML gauges; the bench runs DLL gauges", find("Sixpack").problem);
    // A DLL of the name anywhere counts before XML gauges.
    folder.write("Gauges\\Sixpack.gau", {1});
    EXPECT_TRUE(find("Sixpack").in_gauges);
}

TEST_F(GaugeSearchTest, AMissingFileNamesWhereItWasLookedFor) {
    bench::GaugeSearch missing = find("Fuel_Gauge");
    EXPECT_EQ("Fuel_Gauge.gau: no such file (nor Fuel_Gauge.dll) in the panel folder or in Gauges\\ of the simulator "
              "folder",
              missing.problem);
    EXPECT_EQ(8u, missing.looked_for.size()) << "four DLL paths, then a .cab and a folder in each place";
    config.simulator_folder.clear();
    bench::GaugeSearch alone = find("Fuel_Gauge");
    EXPECT_EQ("Fuel_Gauge.gau: no such file (nor Fuel_Gauge.dll)", alone.problem);
    EXPECT_EQ(4u, alone.looked_for.size());
}

TEST_F(GaugeSearchTest, APathThatClimbsIsLookedForWhereItLeadsOnly) {
    const std::string other = folder.write("Aircraft\\Shared Base\\DLLs\\Ignition2.gau", {1});
    folder.write("Gauges\\Far.gau", {1});
    bench::GaugeSearch found = find("../../Shared Base/DLLs/Ignition2");
    EXPECT_EQ(config.folder + "..\\..\\Shared Base\\DLLs\\Ignition2.gau", found.path);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(other.c_str()));
    EXPECT_EQ("../../Shared Base/DLLs/Ignition2.gau", found.name);
    EXPECT_FALSE(found.in_gauges);
    bench::GaugeSearch beyond = find("../Far");
    EXPECT_EQ("", beyond.path) << "not Gauges\\..\\Far";
    for (const std::string &path : beyond.looked_for)
        EXPECT_EQ(std::string::npos, path.find("Gauges")) << path;
}

TEST(PanelFolders, TheSimulatorFolderLiesAboveAircraftNamePanel) {
    EXPECT_EQ("C:\\sim\\", bench::simulator_folder("C:\\sim\\Aircraft\\test\\panel\\"));
    EXPECT_EQ("Z:/x/", bench::simulator_folder("Z:/x/AIRCRAFT/test/panel"));
    EXPECT_EQ("", bench::simulator_folder("C:\\sim\\Planes\\test\\panel\\"));
    EXPECT_EQ("", bench::simulator_folder("panel\\"));
    EXPECT_EQ(3, bench::folders_below("C:\\sim\\", "c:/SIM/Aircraft/test/panel/"));
    EXPECT_EQ(0, bench::folders_below("C:\\sim", "C:\\sim\\"));
    EXPECT_EQ(-1, bench::folders_below("C:\\sim\\Aircraft", "C:\\sim\\"));
    EXPECT_EQ(-1, bench::folders_below("C:\\simulator", "C:\\sim\\Aircraft"));
    EXPECT_EQ(-1, bench::folders_below("", "C:\\sim"));
}

}  // namespace
