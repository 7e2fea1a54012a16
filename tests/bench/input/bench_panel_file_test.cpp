// The panel file reader on the forms designers write for the host and its
// successors: the windows [Window Titles] decides, every key of a window
// section, gauge lines of three to six fields, "//" comments, subfolders.
#include <gtest/gtest.h>

#include <string>

#include "panel_config.h"
#include "reading.h"

namespace {

const char PANEL[] = "C:\\sim\\Aircraft\\test\\panel\\panel.cfg";

struct Read {
    bench::PanelConfig config;
    bench::Diagnostics found;
    std::string text;  // every diagnostic, one a line

    size_t count(bool errors) const {
        size_t n = 0;
        for (const bench::Diagnostic &item : found.items())
            n += item.error == errors;
        return n;
    }
};

Read read(const std::string &text) {
    Read result;
    result.config = bench::read_panel_text(PANEL, text, result.found);
    for (const bench::Diagnostic &item : result.found.items())
        result.text += bench::format(item) + "\n";
    return result;
}

#define EXPECT_HAS(haystack, needle) EXPECT_NE(std::string::npos, (haystack).find(needle)) << (haystack)
#define EXPECT_LACKS(haystack, needle) EXPECT_EQ(std::string::npos, (haystack).find(needle)) << (haystack)

// The host's own documented form: one window, its width in design units alone.
const char HOST_FORM[] =
    "[Window Titles]\n"
    "Window00=Main Panel\n"
    "Window01=Radio Stack\n"
    "\n"
    "[Window00]\n"
    "file=panel.bmp\n"
    "size_mm=515\n"
    "window_size_ratio=1.000\n"
    "position=7\n"
    "visible=1\n"
    "ident=MAIN_PANEL\n"
    "gauge00=Brennovalux, 20, 40\n"
    "gauge01=Delvarotine, 100, 40\n"
    "gauge02=Fuel_Gauge, 250, 40\n"
    "\n"
    "[Window01]\n"
    "file=radio.bmp\n"
    "size_mm=200,150\n"
    "position=2\n"
    "visible=0\n"
    "ident=RADIO_STACK_PANEL\n"
    "gauge00=Radio!Nav, 0, 0\n"
    "\n"
    "[Default View]\n"
    "X=0\n"
    "[8 Bit Colors]\n"
    "Day=255,255,255\n"
    "[Color]\n"
    "Day=255,255,255\n"
    "[Views]\n"
    "VIEW_FORWARD_DIR=0.000,0.000,0.000\n";

TEST(PanelFileWindows, TheHostsDocumentedFormReadsWithoutAWord) {
    Read got = read(HOST_FORM);
    EXPECT_TRUE(got.found.items().empty()) << got.text;
    ASSERT_EQ(2u, got.config.windows.size());
    const bench::WindowConfig &main = got.config.windows[0];
    EXPECT_EQ(0, main.number);
    EXPECT_EQ("Main Panel", main.title);
    EXPECT_EQ("panel.bmp", main.background);
    EXPECT_EQ(515, main.size_mm.width);
    EXPECT_EQ(0, main.size_mm.height) << "one value: the height follows the bitmap";
    EXPECT_EQ(7, main.position);
    EXPECT_TRUE(main.visible);
    EXPECT_EQ("MAIN_PANEL", main.ident);
    ASSERT_EQ(3u, main.gauges.size());
    EXPECT_EQ("Fuel_Gauge", main.gauges[2].file);
    const bench::WindowConfig &radio = got.config.windows[1];
    EXPECT_EQ("Radio Stack", radio.title);
    EXPECT_EQ(200, radio.size_mm.width);
    EXPECT_EQ(150, radio.size_mm.height);
    EXPECT_FALSE(radio.visible);
    EXPECT_EQ("RADIO_STACK_PANEL", radio.ident);
    EXPECT_EQ("Nav", radio.gauges[0].gauge_name);
}

TEST(PanelFileWindows, CreationStopsAtTheFirstGapAndEveryLeftOverIsNamed) {
    Read got = read("[Window Titles]\nwindow00=Main\nwindow01=No section\nwindow02=Popup\nwindow04=Past the gap\n"
                    "[Window00]\ngauge00=A, 0, 0\n[Window02]\ngauge00=B, 0, 0\n[Window04]\ngauge00=C, 0, 0\n"
                    "[Window05]\ngauge00=D, 0, 0\n");
    EXPECT_FALSE(got.found.has_errors()) << got.text;
    ASSERT_EQ(2u, got.config.windows.size());
    EXPECT_EQ(0, got.config.windows[0].number);
    EXPECT_EQ(2, got.config.windows[1].number);
    EXPECT_EQ("Popup", got.config.windows[1].title);
    EXPECT_HAS(got.text, "line 3 (window01=No section): no [Window01] section for this window; the bench makes no window for it");
    EXPECT_HAS(got.text, "line 1: [Window Titles] has no window03; the host creates no window past a gap in the numbers, "
                         "nor does the bench: window04 left out");
    EXPECT_HAS(got.text, "[Window04], [Window05] are not among the windows [Window Titles] creates");
    EXPECT_EQ(3u, got.count(false));
}

TEST(PanelFileWindows, WithoutTitlesEveryWindowSectionRunsWithOneWarning) {
    Read got = read("[Window02]\ngauge00=B, 0, 0\n[Window00]\ngauge00=A, 0, 0\n");
    EXPECT_FALSE(got.found.has_errors()) << got.text;
    ASSERT_EQ(2u, got.config.windows.size());
    EXPECT_EQ(0, got.config.windows[0].number) << "in the order of their numbers";
    EXPECT_EQ(2, got.config.windows[1].number);
    EXPECT_EQ(1u, got.count(false)) << got.text;
    EXPECT_HAS(got.text, "no [Window Titles] section: the host would show none of its windows; the bench runs "
                         "[Window00], [Window02] as they stand");
}

TEST(PanelFileWindows, SectionsNoWindowReadsAreNamedAndTheHostsOthersAreNot) {
    Read got = read("[Window Titles]\nwindow00=Main\n[Window00]\ngauge00=A, 0, 0\n[Window64]\n[Window1]\n"
                    "[Fuel]\nx=1\n[VCockpit01]\nfile=vc.bmp\n[fltsim]\nalias=x\n");
    EXPECT_FALSE(got.found.has_errors()) << got.text;
    EXPECT_HAS(got.text, "line 5: [Window64] is no window section the host reads (Window00 to Window63)");
    EXPECT_HAS(got.text, "line 6: [Window1] is no window section");
    EXPECT_HAS(got.text, "line 7: unknown section [Fuel]");
    EXPECT_EQ(3u, got.count(false)) << got.text;
}

TEST(PanelFileWindows, OnlyAFileThatMakesNoWindowIsAMistakeAndItSaysWhatTheFileHolds) {
    EXPECT_HAS(read("").text, "no [WindowNN] section: the file describes no panel window; it holds no section");
    Read cockpits = read("[VCockpit01]\nsize_mm=1024,1024\n[VCockpit02]\n[vcockpit03]\n[fltsim]\nx=1\n");
    EXPECT_EQ(1u, cockpits.count(true)) << cockpits.text;
    EXPECT_HAS(cockpits.text, "it holds 3 [VCockpitNN] sections: virtual cockpits are drawn on the aircraft's 3-D "
                              "model; the bench shows 2-D windows only; besides, [fltsim]");
    EXPECT_HAS(read("[Window Titles]\nwindow00=Main\n").text,
               "[Window Titles] lists no window that has a [WindowNN] section; it holds [Window Titles]");
    // Windows without gauges, hidden or not, are windows.
    for (const char *text : {"[Window00]\nfile=a.bmp\n", "[Window Titles]\nwindow00=Popup\n[Window00]\nvisible=0\n",
                             "[Window00]\n; nothing\n"}) {
        Read got = read(text);
        EXPECT_FALSE(got.found.has_errors()) << text << "\n" << got.text;
        ASSERT_EQ(1u, got.config.windows.size()) << text;
        EXPECT_TRUE(got.config.windows[0].gauges.empty()) << text;
    }
}

TEST(PanelFileKeys, EveryKeyOfAWindowSectionIsRead) {
    Read got = read("[Window Titles]\nwindow00=Switches\n[Window00]\nfile_1024=high.bmp\nsize_mm=196,100\npixel_size=392, 200\nbackground_color=16,32,48\n"
                    "position=8\nvisible=0\nident=10\nwindow_size_ratio=1.5\nwindow_size=0.5,0.3\nwindow_pos=0.1,0.2\n"
                    "zorder=3\nnomenu=1\ngauge00=A, 1, 2\n");
    EXPECT_TRUE(got.found.items().empty()) << got.text;
    const bench::WindowConfig &window = got.config.windows[0];
    EXPECT_EQ("high.bmp", window.background) << "file_1024= where file= is absent";
    EXPECT_EQ(392, window.pixel_size.width);
    EXPECT_EQ(200, window.pixel_size.height);
    EXPECT_TRUE(window.has_background_colour);
    EXPECT_EQ(0x102030u, window.background_colour);
    EXPECT_EQ(8, window.position);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ("10", window.ident);
    EXPECT_EQ(1.5, window.size_ratio);
    EXPECT_EQ("normal.bmp", read("[Window00]\nfile_1024=high.bmp\nfile=normal.bmp\ngauge00=A, 1, 2\n")
                                .config.windows[0].background);
}

TEST(PanelFileKeys, TheBenchsOwnSizeIsThePixelSizeWithAWarning) {
    Read got = read("[Window00]\nsize=640, 160\ngauge00=A, 1, 2\n");
    EXPECT_EQ(640, got.config.windows[0].pixel_size.width);
    EXPECT_HAS(got.text, "line 2 (size=640, 160): the host does not read size=; the bench takes it as the window's "
                         "size in pixels, as pixel_size=");
    Read both = read("[Window00]\nsize=640, 160\npixel_size=100, 50\ngauge00=A, 1, 2\n");
    EXPECT_EQ(100, both.config.windows[0].pixel_size.width);
    EXPECT_HAS(both.text, "the host does not read size=; pixel_size= counts");
}

TEST(PanelFileKeys, ValuesTheBenchCanDoWithoutAreWarnedOfAndUnreadableSizesCountAsAbsent) {
    Read got = read("[Window00]\nposition=9\nvisible=yes\nident=MAIN PANEL\nwindow_size_ratio=0\nbackground_color=1,2\n"
                    "colour=red\ngauge00=A, 1, 2\n");
    EXPECT_FALSE(got.found.has_errors()) << got.text;
    EXPECT_HAS(got.text, "line 2 (position=9): position: \"9\" is out of range (0 to 8) (0 top left to 8 bottom right); the bench takes its default");
    EXPECT_HAS(got.text, "line 3 (visible=yes): visible is 0 or 1");
    EXPECT_HAS(got.text, "line 4 (ident=MAIN PANEL): an ident is a number or a name");
    EXPECT_HAS(got.text, "line 5 (window_size_ratio=0): the ratio is not above 0");
    EXPECT_HAS(got.text, "line 6 (background_color=1,2): expected R, G, B");
    EXPECT_HAS(got.text, "line 7 (colour=red): unknown key \"colour\"");
    EXPECT_TRUE(got.config.windows[0].visible);
    Read sizes = read("[Window00]\nsize_mm=515,200,3\npixel_size=5000, 10\ngauge00=A, 1, 2\n");
    EXPECT_FALSE(sizes.found.has_errors()) << sizes.text;
    EXPECT_EQ(3u, sizes.count(false)) << "and no [Window Titles]\n" << sizes.text;
    EXPECT_HAS(sizes.text, "warning: C:\\sim\\Aircraft\\test\\panel\\panel.cfg line 2 (size_mm=515,200,3): "
                           "expected W or W, H; the bench takes the key as absent");
    EXPECT_HAS(sizes.text, "(pixel_size=5000, 10): the width: \"5000\" is out of range (1 to 4096); the bench takes "
                           "the key as absent");
    EXPECT_EQ(0, sizes.config.windows[0].size_mm.width);
    EXPECT_EQ(0, sizes.config.windows[0].pixel_size.width);
    EXPECT_EQ(0, sizes.config.windows[0].pixel_size.height);
}

TEST(PanelFileKeys, BackgroundsMayReachUpToTheSimulatorFolderNoFurther) {
    Read up = read("[Window Titles]\nwindow00=A\n[Window00]\nfile=..\\..\\shared panels\\main panel.bmp   \n"
                   "gauge00=A, 1, 2\n");
    EXPECT_TRUE(up.found.items().empty()) << up.text;
    EXPECT_EQ("..\\..\\shared panels\\main panel.bmp", up.config.windows[0].background);
    EXPECT_EQ("C:\\sim\\", up.config.simulator_folder);
    for (const char *line : {"file=..\\..\\..\\..\\x.bmp", "file=C:\\x.bmp", "file=\\x.bmp"}) {
        Read out = read(std::string("[Window Titles]\nwindow00=A\n[Window00]\n") + line + "\ngauge00=A, 1, 2\n");
        EXPECT_FALSE(out.found.has_errors()) << out.text;
        EXPECT_EQ(1u, out.count(false)) << out.text;
        EXPECT_HAS(out.text, std::string("line 4 (") + line + "): ");
        EXPECT_HAS(out.text, "; the window is drawn without it");
        EXPECT_EQ("", out.config.windows[0].background) << line;
    }
    EXPECT_HAS(read("[Window00]\nfile=..\\..\\..\\..\\x.bmp\n").text,
               "(file=..\\..\\..\\..\\x.bmp): \"..\\..\\..\\..\\x.bmp\" leads out of the simulator folder");
    EXPECT_HAS(read("[Window00]\nfile=C:\\x.bmp\n").text, "\"C:\\x.bmp\" names a drive");
    EXPECT_HAS(read("[Window00]\nfile=\\x.bmp\n").text, "starts at a root");
    // A panel outside Aircraft\NAME\panel\ keeps its files in its own folder...
    bench::Diagnostics found;
    bench::PanelConfig alone =
        bench::read_panel_text("C:\\work\\panel.cfg", "[Window00]\nfile=..\\x.bmp\ngauge00=A, 1, 2\n", found);
    EXPECT_EQ("", alone.simulator_folder);
    EXPECT_FALSE(found.has_errors());
    EXPECT_HAS(found.items().back().what, "leads out of the panel folder, which lies in no simulator folder the bench knows");
    // ...unless a simulator folder is given around it.
    bench::Diagnostics given;
    bench::PanelConfig around = bench::read_panel_text(
        "panel.cfg",
        "[Window Titles]\nwindow00=A\n[Window00]\nfile=..\\..\\x.bmp\ngauge00=..\\..\\y, 1, 2\ngauge01=..\\..\\..\\z, 1, 2\n",
        given,
        "C:\\work\\panels\\one\\panel.cfg", "c:/WORK");
    EXPECT_TRUE(given.items().empty()) << bench::format(given.items().front());
    EXPECT_EQ("..\\..\\x.bmp", around.windows[0].background);
    EXPECT_EQ("", around.windows[0].gauges[0].path_problem);
    EXPECT_HAS(around.windows[0].gauges[1].path_problem, "leads out of the simulator folder");
}

TEST(PanelFileGaugeLines, ThreeToSixFieldsEmptySizesNotGivenTheRestAParameter) {
    Read got = read("[Window00]\n"
                    "gauge00=A!Main, 221,40,,\n"
                    "gauge01=B, 0,0,,,9998 9999 95\n"
                    "gauge02=C, 0,0,\n"
                    "gauge03=D!Name with spaces  ,\t10 ,  20,  30,\t40, a, b, c\n"
                    "gauge04=E, 5, 6, , 50\n");
    ASSERT_FALSE(got.found.has_errors()) << got.text;
    const std::vector<bench::GaugeLine> &lines = got.config.windows[0].gauges;
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ(0, lines[0].width);
    EXPECT_HAS(read("[Window00]\ngauge00=A!Main, 221,40,,CP\n").text, "the height: \"CP\" is not a whole decimal number");
    EXPECT_EQ("9998 9999 95", lines[1].parameter);
    EXPECT_EQ(0, lines[1].width);
    EXPECT_EQ(0, lines[1].height);
    EXPECT_EQ("", lines[2].parameter);
    EXPECT_EQ("Name with spaces", lines[3].gauge_name);
    EXPECT_EQ(10, lines[3].x);
    EXPECT_EQ(20, lines[3].y);
    EXPECT_EQ(30, lines[3].width);
    EXPECT_EQ(40, lines[3].height);
    EXPECT_EQ("a, b, c", lines[3].parameter) << "everything after the fifth comma";
    EXPECT_EQ(0, lines[4].width);
    EXPECT_EQ(50, lines[4].height);
}

TEST(PanelFileGaugeLines, ALineThatCannotBeReadPlacesNothingAndIsKeptWithItsReason) {
    Read got = read("[Window00]\ngauge00=A, , 40\ngauge01=B, 10,\ngauge02=C, 10\ngauge03=D, 10, 20, -1\n"
                    "gauge04=E!, 0, 0\ngauge05=F, 1, 2\n");
    EXPECT_FALSE(got.found.has_errors()) << got.text;
    EXPECT_EQ(6u, got.count(false)) << "and no [Window Titles]\n" << got.text;
    EXPECT_HAS(got.text, "line 2 (gauge00=A, , 40): x is empty; a gauge needs its place; the line places no gauge");
    EXPECT_HAS(got.text, "line 3 (gauge01=B, 10,): y is empty");
    EXPECT_HAS(got.text, "line 4 (gauge02=C, 10): expected file, x, y[, width[, height[, parameter]]]");
    EXPECT_HAS(got.text, "line 5 (gauge03=D, 10, 20, -1): the width: \"-1\" is out of range (0 to 16384)");
    EXPECT_HAS(got.text, "line 6 (gauge04=E!, 0, 0): no gauge name after '!'");
    const bench::WindowConfig &window = got.config.windows[0];
    ASSERT_EQ(1u, window.gauges.size());
    EXPECT_EQ("F", window.gauges[0].file);
    ASSERT_EQ(5u, window.unread_gauges.size());
    EXPECT_EQ("gauge02", window.unread_gauges[2].key);
    EXPECT_EQ(2, window.unread_gauges[2].number);
    EXPECT_EQ(4, window.unread_gauges[2].line);
    EXPECT_EQ("C, 10", window.unread_gauges[2].text);
    EXPECT_EQ("expected file, x, y[, width[, height[, parameter]]]", window.unread_gauges[2].why);
}

TEST(PanelFileGaugeLines, SizesWrittenAsZeroMakeAZeroBoxAndEmptyOnesStayNotGiven) {
    Read got = read("[Window00]\n"
                    "gauge27=Chimes!chime_player, 0,0,0,0, ./Gauges/Chimes.ini\n"
                    "gauge31=Cabin_Keys!Key_Clicks, 0,0,1,0\n"
                    "gauge02=C, 5, 5, 0\n"
                    "gauge03=D, 5, 5, , 0\n"
                    "gauge04=E, 5, 5, , ,\n");
    EXPECT_FALSE(got.found.has_errors()) << got.text;
    EXPECT_EQ(1u, got.count(false)) << "only that there is no [Window Titles]\n" << got.text;
    const std::vector<bench::GaugeLine> &lines = got.config.windows[0].gauges;
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ("D", lines[1].file);
    EXPECT_TRUE(lines[0].zero_box);
    EXPECT_TRUE(lines[1].zero_box);
    EXPECT_FALSE(lines[2].zero_box) << "empty fields are not given";
    EXPECT_TRUE(lines[3].zero_box);
    EXPECT_EQ("./Gauges/Chimes.ini", lines[3].parameter);
    EXPECT_TRUE(lines[4].zero_box) << "a width of 1 and a height of 0";
    EXPECT_EQ(1, lines[4].width);
    EXPECT_EQ(0, lines[4].height);
}

TEST(PanelFileGaugeLines, FilePartsMayClimbToTheSimulatorFolderAndOnesThatLeaveItAreKeptWithTheProblem) {
    Read got = read("[Window00]\ngauge00=LVLD\\main!ENG, 0, 0\ngauge01=sub/deeper\\x, 0, 0\ngauge02=.\\y, 0, 0\n"
                    "gauge03=../../Shared Base/Panel_Common/DLLs/Ignition2!Delvarotine, 66,44,299,291, 2\n");
    ASSERT_EQ(1u, got.count(false)) << "only that there is no [Window Titles]\n" << got.text;
    const std::vector<bench::GaugeLine> &lines = got.config.windows[0].gauges;
    EXPECT_EQ("LVLD\\main", lines[0].file);
    EXPECT_EQ("LVLD\\main", lines[0].file_path);
    EXPECT_EQ("ENG", lines[0].gauge_name);
    EXPECT_EQ("sub\\deeper\\x", lines[1].file_path);
    EXPECT_EQ("y", lines[2].file_path);
    EXPECT_EQ("..\\..\\Shared Base\\Panel_Common\\DLLs\\Ignition2", lines[3].file_path);
    EXPECT_EQ("", lines[3].path_problem);
    EXPECT_EQ("Delvarotine", lines[3].gauge_name);
    EXPECT_EQ(299, lines[3].width);
    EXPECT_EQ("2", lines[3].parameter);
    // Placed as placeholders, with the problem as the reason; the reader says nothing of them.
    Read bad = read("[Window00]\ngauge00=..\\..\\..\\..\\B, 1, 2\ngauge01=C:\\B, 0, 0\ngauge02=\\B, 0, 0\n"
                    "gauge03=a\\\\B, 0, 0\ngauge04=a|b, 0, 0\n");
    EXPECT_EQ(1u, bad.count(false)) << "only that there is no [Window Titles]\n" << bad.text;
    const std::vector<bench::GaugeLine> &placeholders = bad.config.windows[0].gauges;
    ASSERT_EQ(5u, placeholders.size());
    EXPECT_EQ("\"..\\..\\..\\..\\B\" leads out of the simulator folder", placeholders[0].path_problem);
    EXPECT_EQ(2, placeholders[0].y);
    EXPECT_EQ("\"C:\\B\" names a drive; name a file relative to the panel folder", placeholders[1].path_problem);
    EXPECT_HAS(placeholders[2].path_problem, "\"\\B\" starts at a root");
    EXPECT_HAS(placeholders[3].path_problem, "\"a\\\\B\" has an empty folder name");
    EXPECT_HAS(placeholders[4].path_problem, "holds a character no file name has");
    for (const bench::GaugeLine &line : placeholders)
        EXPECT_EQ("", line.file_path) << line.text;
}

TEST(PanelFileComments, DoubleSlashesCommentWholeLinesAndAfterValuesAndEndAParameter) {
    Read got = read("// a whole line\r\n"
                    "[Window Titles] // the windows\r\n"
                    "Window00=Main Panel // the main one\r\n"
                    "[Window00]\r\n"
                    "size_mm=196,100 // relative size\r\n"
                    "gauge00=A, 60, 64 //NOTE-1\r\n"
                    "gauge01=B, 0, 0, , , 1 2 3 // not the parameter\r\n"
                    "//gauge02=C, 0, 0\r\n"
                    "; an old comment\r\n");
    EXPECT_TRUE(got.found.items().empty()) << got.text;
    const bench::WindowConfig &window = got.config.windows[0];
    EXPECT_EQ("Main Panel", window.title);
    EXPECT_EQ(100, window.size_mm.height);
    ASSERT_EQ(2u, window.gauges.size());
    EXPECT_EQ(64, window.gauges[0].y);
    EXPECT_EQ("1 2 3", window.gauges[1].parameter);
}

TEST(PanelFileComments, TabsRunsOfSpacesAndBytesAbove127InCommentsAndTitles) {
    Read got = read("[Window Titles]\nwindow00=Hauptkonsole \xC3\x9C" "bersicht\n"
                    "[Window00]\t\n"
                    "gauge00\t=\tA,\t\t20,    40\t// Z\xFC" "ndung \xE9\n");
    EXPECT_TRUE(got.found.items().empty()) << got.text;
    EXPECT_EQ("Hauptkonsole \xC3\x9C" "bersicht", got.config.windows[0].title);
    EXPECT_EQ(40, got.config.windows[0].gauges[0].y);
}

}  // namespace
