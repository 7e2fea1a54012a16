// The panel file, scenario and command-line readers on the inputs people
// write by hand: each mistake refused with its line and reason, each slip
// the bench can live with warned of, nothing run away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arguments.h"
#include "bench_limits.h"
#include "pe_check.h"
#include "panel_config.h"
#include "reading.h"
#include "scenario_script.h"

namespace {

const char PANEL[] = "C:\\sim\\Aircraft\\test\\panel\\panel.cfg";
const char SCRIPT[] = "C:\\work\\script.txt";

// Every diagnostic, formatted, one a line.
std::string listed(const bench::Diagnostics &found) {
    std::string text;
    for (const bench::Diagnostic &item : found.items())
        text += bench::format(item) + "\n";
    return text;
}

size_t count(const bench::Diagnostics &found, bool errors) {
    size_t n = 0;
    for (const bench::Diagnostic &item : found.items())
        n += item.error == errors;
    return n;
}

struct PanelRead {
    bench::PanelConfig config;
    bench::Diagnostics found;
    std::string text;
};

PanelRead read_panel(const std::string &text) {
    PanelRead read;
    read.config = bench::read_panel_text(PANEL, text, read.found);
    read.text = listed(read.found);
    return read;
}

struct ScriptRead {
    std::vector<bench::Command> commands;
    bench::Diagnostics found;
    std::string text;
};

ScriptRead read_script(const std::string &text) {
    ScriptRead read;
    read.commands = bench::read_scenario_text(SCRIPT, text, read.found);
    read.text = listed(read.found);
    return read;
}

#define EXPECT_HAS(haystack, needle) EXPECT_NE(std::string::npos, (haystack).find(needle)) << (haystack)

TEST(PanelLimits, SizesPastTheLimitAreOutOfRangeWithTheirLineAndCountAsAbsent) {
    for (const char *size : {"100000, 100000", "12000, 12000", "20000, 20000", "4097, 10"}) {
        PanelRead read = read_panel(std::string("[Window00]\nsize=") + size + "\ngauge00=Brennovalux, 20, 40\n");
        EXPECT_FALSE(read.found.has_errors()) << size;
        EXPECT_HAS(read.text, std::string("warning: ") + PANEL + " line 2 (size=" + size + "): the width: ");
        EXPECT_HAS(read.text, "is out of range (1 to 4096); the bench takes the key as absent");
        EXPECT_EQ(0, read.config.windows[0].pixel_size.width) << size;
        EXPECT_EQ(1u, read.config.windows[0].gauges.size()) << size;
    }
    EXPECT_EQ(std::string::npos, read_panel("[Window00]\nsize=4096, 4096\ngauge00=B, 0, 0\n").text.find("out of range"));
    PanelRead wide = read_panel("[Window00]\nsize_mm=16385\ngauge00=B, 0, 0\n");
    EXPECT_HAS(wide.text, "is out of range (1 to 16384); the bench takes the key as absent");
    EXPECT_EQ(0, wide.config.windows[0].size_mm.width);
    EXPECT_EQ(std::string::npos, read_panel("[Window00]\nsize_mm=16384, 16384\ngauge00=B, 0, 0\n").text.find("out of range"));
}

TEST(PanelLimits, PositionsAndSizesPastTheLimitAreOutOfRangeNotNonNumbersAndPlaceNothing) {
    PanelRead read = read_panel("[Window00]\ngauge00=Brennovalux, 100001, 40\n"
                                "gauge01=Delvarotine, 100000, 100000\ngauge02=X, 0, 0, 16385\ngauge03=Y, 0, 0\n");
    EXPECT_HAS(read.text, "line 2 (gauge00=Brennovalux, 100001, 40): x: \"100001\" is out of range (-16384 to 16384)"
                          "; the line places no gauge");
    EXPECT_HAS(read.text, "line 3 (gauge01=Delvarotine, 100000, 100000): x: ");
    EXPECT_HAS(read.text, "line 4 (gauge02=X, 0, 0, 16385): the width: \"16385\" is out of range (0 to 16384)");
    EXPECT_EQ(std::string::npos, read.text.find("not a whole")) << read.text;
    EXPECT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_EQ(4u, count(read.found, false)) << "every line's warning at once, and no [Window Titles]";
    ASSERT_EQ(1u, read.config.windows[0].gauges.size());
    EXPECT_EQ("Y", read.config.windows[0].gauges[0].file);
    EXPECT_EQ(3u, read.config.windows[0].unread_gauges.size());
}

TEST(PanelNumbers, AreDecimal) {
    PanelRead read = read_panel("[Window00]\ngauge00=B, 010, +20\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_EQ(10, read.config.windows[0].gauges[0].x);
    EXPECT_EQ(20, read.config.windows[0].gauges[0].y);
    for (const char *bad : {"0x10", "1e3", "12px", "-", "4.5"})
        EXPECT_HAS(read_panel(std::string("[Window00]\ngauge00=B, ") + bad + ", 0\n").text,
                   "is not a whole decimal number");
}

TEST(PanelWarnings, MisspeltAndUnknownKeysAreNamedAndIgnored) {
    PanelRead read = read_panel("[Window Titles]\nwindow00=Main\n"
                                "[Window00]\nguage00=B, 0, 0\ngauge-1=B, 0, 0\ngaugeXX=B, 0, 0\n"
                                "gauge100=B, 0, 0\ncolour=red\ngauge00=B, 0, 0\nposition=7\nvisible=1\nident=0\n");
    EXPECT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_HAS(read.text, "warning: " + std::string(PANEL) + " line 4 (guage00=B, 0, 0): \"guage00\" is not a gauge key");
    EXPECT_HAS(read.text, "line 5 (gauge-1=B, 0, 0): \"gauge-1\" is not a gauge key");
    EXPECT_HAS(read.text, "line 6 (gaugeXX=B, 0, 0): \"gaugeXX\" is not a gauge key");
    EXPECT_HAS(read.text, "line 7 (gauge100=B, 0, 0): \"gauge100\" is not a gauge key");
    EXPECT_HAS(read.text, "line 8 (colour=red): unknown key \"colour\"");
    EXPECT_EQ(5u, count(read.found, false)) << "position, visible and ident are the host's own keys";
    ASSERT_EQ(1u, read.config.windows[0].gauges.size());
}

TEST(PanelWarnings, ASecondEqualKeyIsNamedOnItsOwnLineAndTheFirstCounts) {
    PanelRead read = read_panel("[Window00]\ngauge00=First, 1, 2\nGAUGE00=Second, left, 4\n");
    EXPECT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_HAS(read.text, "line 3 (GAUGE00=Second, left, 4): GAUGE00 is given again; the one on line 2 counts");
    ASSERT_EQ(1u, read.config.windows[0].gauges.size());
    EXPECT_EQ("First", read.config.windows[0].gauges[0].file);
}

TEST(PanelWarnings, ACommentAfterAGaugeLineIsTakenAsOneAndNamed) {
    PanelRead read = read_panel("[Window00]\ngauge00=Brennovalux, 20, 40 ; the master switch\n");
    EXPECT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_HAS(read.text, "warning: ");
    EXPECT_HAS(read.text, "line 2 (gauge00=Brennovalux, 20, 40 ; the master switch): the text after ';'");
    ASSERT_EQ(1u, read.config.windows[0].gauges.size());
    EXPECT_EQ(40, read.config.windows[0].gauges[0].y);
}

TEST(PanelWarnings, ALineTheProfileFunctionsCutIsNamed) {
    const std::string name(1100, 'a');
    PanelRead read = read_panel("[Window00]\ngauge00=B, 0, 0\nident=" + name + "\n");
    EXPECT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_HAS(read.text, "line 3: the line is 1106 characters long; the profile functions read only the first 1023");
}

TEST(PanelText, AByteOrderMarkAndCarriageReturnsAreAccepted) {
    PanelRead read = read_panel("\xEF\xBB\xBF[Window00]\r\nfile=back.bmp\r\ngauge00=B!Gauge name, 1, 2, 30\r\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    const bench::WindowConfig &window = read.config.windows[0];
    EXPECT_EQ("back.bmp", window.background);
    EXPECT_HAS(window.background_where, "panel.cfg line 2 (file=back.bmp)");
    EXPECT_EQ("Gauge name", window.gauges[0].gauge_name);
    EXPECT_EQ(30, window.gauges[0].width);
}

TEST(PanelText, OnlyAMissingWindowIsAMistake) {
    EXPECT_HAS(read_panel("").text, "no [WindowNN] section");
    EXPECT_TRUE(read_panel("").found.has_errors());
    EXPECT_FALSE(read_panel("[Window00]\n; nothing\n").found.has_errors());
    EXPECT_FALSE(read_panel("[Window00]\nsize=10, 10\n").found.has_errors());
    PanelRead climbs = read_panel("[Window Titles]\nwindow00=A\n[Window00]\ngauge00=..\\..\\B, 0, 0\n");
    EXPECT_TRUE(climbs.found.items().empty()) << "a gauge file may lie in another aircraft's folder\n" << climbs.text;
}

TEST(ScriptLimits, TickCountsPastTheLimitAreOutOfRange) {
    ScriptRead read = read_script("run 99999999999999999999\nrun 4294967297\nrun -1\nrun 1000001\n");
    EXPECT_HAS(read.text, std::string(SCRIPT) + ":1: \"99999999999999999999\" is out of range (0 to 1000000)");
    EXPECT_HAS(read.text, ":2: \"4294967297\" is out of range");
    EXPECT_HAS(read.text, ":3: \"-1\" is out of range");
    EXPECT_HAS(read.text, ":4: \"1000001\" is out of range");
    EXPECT_TRUE(read.commands.empty());
}

TEST(ScriptLimits, TheRunsOfAScriptTogetherHaveALimit) {
    ScriptRead read = read_script("run 600000\nrun 400000\nrun 1\nrun 5\n");
    EXPECT_EQ(1u, count(read.found, true)) << read.text;
    EXPECT_HAS(read.text, ":3: the script's runs come to more than 1000000 ticks");
    std::string many;
    for (int i = 0; i <= bench::MAX_SNAPSHOTS; ++i)
        many += "snapshot a.png\n";
    EXPECT_HAS(read_script(many).text, ":1001: more than 1000 pictures written");
}

TEST(ScriptLimits, RunTicksAddUpEveryRunAndNothingElse) {
    ScriptRead read = read_script("run 2\nclick 10 10\nrun 400000 # the long one\nnote run 99\nrun 38262\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_EQ(438264, bench::run_ticks(read.commands));
    EXPECT_EQ(0, bench::run_ticks(read_script("click 10 10\nquit\n").commands));
    EXPECT_EQ(3000000, bench::run_ticks(read_script("run 1000000\nrun 1000000\nrun 1000000\n").commands));
}

TEST(ScriptNumbers, AreDecimal) {
    ScriptRead read = read_script("run 010\nset batt1_on -0.5\nexpect 131 1\nexpect-shown B 0x2000\n"
                                  "expect-shown B 8192\nexpect-event 65514\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_EQ(10, read.commands[0].numbers[0]);
    EXPECT_EQ(-0.5, read.commands[1].numbers[1]);
    EXPECT_EQ(0x2000, read.commands[3].numbers[1]);
    EXPECT_EQ(8192, read.commands[4].numbers[1]);
    EXPECT_EQ(65514, read.commands[5].numbers[0]);
    EXPECT_HAS(read_script("run 0x10\n").text, ":1: \"0x10\" is not a whole decimal number; usage: run TICKS");
    EXPECT_HAS(read_script("set batt1_on 1e3\n").text, "\"1e3\" is not a decimal number");
    EXPECT_HAS(read_script("expect 99999999999 1\n").text, "token \"99999999999\" is out of range");
}

TEST(ScriptText, CommentsAtTheEndOfALineAndAByteOrderMarkAreAccepted) {
    ScriptRead read = read_script("\xEF\xBB\xBFrun 1 # one tick\r\nexpect batt1_on 1 # comment\n"
                                  "  # a whole line\nsnapshot a#b.png\nnote item#3 # not this\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    ASSERT_EQ(4u, read.commands.size());
    EXPECT_EQ("run", read.commands[0].name);
    EXPECT_EQ(1, read.commands[1].numbers[1]);
    EXPECT_EQ(2, read.commands[1].line);
    EXPECT_EQ("a#b.png", read.commands[2].words[0]);
    EXPECT_EQ("item#3", read.commands[3].words[0]);
}

TEST(ScriptText, EveryMistakeIsReportedAtOnceWithItsLine) {
    ScriptRead read = read_script("run 50000\njump\nsnapshot a.png\nexpect batt1_on\nrun many\n"
                                  "click\nexpect-event later\nexpect-window-as-panel now later\n");
    EXPECT_EQ(6u, count(read.found, true)) << read.text;
    EXPECT_HAS(read.text, ":2: unknown command \"jump\"");
    EXPECT_HAS(read.text, ":4: usage: expect VARIABLE VALUE");
    EXPECT_HAS(read.text, ":5: \"many\" is not a whole decimal number; usage: run TICKS");
    EXPECT_HAS(read.text, ":6: usage: click X Y | click X Y WINDOW | click GAUGE...");
    EXPECT_HAS(read.text, ":7: \"later\" is no event: start, stop or a number");
    EXPECT_HAS(read.text, ":8: usage: expect-window-as-panel");
}

TEST(ScriptText, ClickTakesAPointOrAGaugeNameWithSpaces) {
    ScriptRead read = read_script("click 10 20\nclick Toggle-type Master Switch\nclick 10 abc\nclick 10 20 02\n"
                                  "click 02:gauge05\nsnapshot a.png RADIO_STACK_PANEL\nexpect-window-as-panel 1\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_EQ(0, read.commands[0].form);
    EXPECT_EQ(2, read.commands[1].form);
    EXPECT_EQ("Toggle-type Master Switch", read.commands[1].words[0]);
    EXPECT_EQ("10 abc", read.commands[2].words[0]);
    EXPECT_EQ("02", bench::argument_word(read.commands[3], "WINDOW"));
    EXPECT_EQ("", bench::argument_word(read.commands[0], "WINDOW"));
    EXPECT_EQ("02:gauge05", read.commands[4].words[0]);
    EXPECT_EQ("RADIO_STACK_PANEL", bench::argument_word(read.commands[5], "WINDOW"));
    EXPECT_EQ("1", bench::argument_word(read.commands[6], "WINDOW"));
    EXPECT_HAS(read_script("key shift+0\nkey ctrl+1\n").text, ":1: \"shift+0\" is no key the bench presses: shift+1 to shift+9");
    EXPECT_EQ(2, read_script("key shift+2\n").commands[0].numbers[0]);
    EXPECT_HAS(read_script("click 100001 5\n").text, "\"100001\" is out of range");
}

TEST(ScriptText, KeysAndZoomsAreTheOnesTheWindowKnows) {
    ScriptRead read = read_script("key Z\nkey plus\nkey minus\nkey f5\nzoom fit\nzoom 150\nzoom 25%\nzoom FIT\n");
    ASSERT_FALSE(read.found.has_errors()) << read.text;
    EXPECT_EQ("Z", read.commands[0].words[0]);
    EXPECT_EQ(0, read.commands[4].numbers[0]);
    EXPECT_EQ(150, read.commands[5].numbers[0]);
    EXPECT_EQ(25, read.commands[6].numbers[0]);
    EXPECT_EQ(0, read.commands[7].numbers[0]);
    read = read_script("key ctrl+z\nkey +\nzoom 24\nzoom 401\nzoom half\nzoom\nzoom 1.5\n");
    EXPECT_EQ(7u, count(read.found, true)) << read.text;
    EXPECT_HAS(read.text, ":1: \"ctrl+z\" is no key the bench presses: shift+1 to shift+9, z, plus, minus or f5");
    EXPECT_HAS(read.text, ":3: \"24\" is no zoom: fit or a percentage from 25 to 400; usage: zoom ZOOM");
    EXPECT_HAS(read.text, ":4: \"401\" is no zoom");
    EXPECT_HAS(read.text, ":5: \"half\" is no zoom");
    EXPECT_HAS(read.text, ":6: usage: zoom ZOOM");
    EXPECT_HAS(read.text, ":7: \"1.5\" is no zoom");
}

TEST(ScriptText, EveryCommandOfTheTableHasAUsage) {
    for (const bench::CommandSyntax &syntax : bench::COMMANDS) {
        std::string expected = std::string("usage: ") + syntax.name;
        EXPECT_EQ(0u, bench::usage(syntax).find(expected)) << syntax.name;
    }
    EXPECT_EQ("usage: click X Y | click X Y WINDOW | click GAUGE...", bench::usage(bench::COMMANDS[0]));
}

struct ArgumentsRead {
    bench::Options options;
    std::string error;
    bool read;
};

ArgumentsRead arguments(std::vector<std::string> words) {
    ArgumentsRead result;
    result.read = bench::read_arguments(words, result.options, result.error);
    return result;
}

TEST(Arguments, HelpIsNoMistake) {
    EXPECT_TRUE(arguments({"--help"}).options.help);
    EXPECT_TRUE(arguments({"panel.cfg", "-h"}).options.help);
}

TEST(Arguments, EveryMistakeNamesTheArgumentAndWhy) {
    EXPECT_EQ("--script needs a scenario file after it", arguments({"panel.cfg", "--script"}).error);
    EXPECT_EQ("--out needs a folder after it", arguments({"panel.cfg", "--out", "--window"}).error);
    EXPECT_EQ("nothing to do with panel.cfg: give --script FILE, --window or --check",
              arguments({"panel.cfg"}).error);
    EXPECT_EQ("no panel file (PANEL.cfg) named", arguments({"--window"}).error);
    EXPECT_EQ("unknown option \"--frobnicate\"", arguments({"p.cfg", "--frobnicate"}).error);
    EXPECT_HAS(arguments({"p.cfg", "q.cfg", "--window"}).error, "\"q.cfg\": a second panel file");
    EXPECT_EQ("--trace is given twice", arguments({"p.cfg", "--trace", "a", "--trace", "b"}).error);
}

TEST(Arguments, VariablesLimitOnlyWhenGiven) {
    ArgumentsRead plain = arguments({"p.cfg", "--check"});
    ASSERT_TRUE(plain.read) << plain.error;
    EXPECT_FALSE(plain.options.only_these_variables);
    ArgumentsRead limited = arguments({"p.cfg", "--script", "s", "--variables", "a,,b"});
    ASSERT_TRUE(limited.read) << limited.error;
    EXPECT_TRUE(limited.options.only_these_variables);
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), limited.options.variables);
}

TEST(Arguments, ZoomIsFitOrAPercentageOfTheWindow) {
    ArgumentsRead fit = arguments({"p.cfg", "--window"});
    ASSERT_TRUE(fit.read) << fit.error;
    EXPECT_EQ(0, fit.options.zoom_percent);
    ArgumentsRead zoomed = arguments({"p.cfg", "--window", "--zoom", "200"});
    ASSERT_TRUE(zoomed.read) << zoomed.error;
    EXPECT_EQ(200, zoomed.options.zoom_percent);
    EXPECT_EQ(0, arguments({"p.cfg", "--zoom", "Fit", "--window"}).options.zoom_percent);
    EXPECT_EQ("--zoom: \"500\" is no zoom: fit or a percentage from 25 to 400",
              arguments({"p.cfg", "--window", "--zoom", "500"}).error);
    EXPECT_EQ("--zoom needs --window", arguments({"p.cfg", "--script", "s", "--zoom", "50"}).error);
    EXPECT_EQ("--zoom needs fit or a percentage after it", arguments({"p.cfg", "--window", "--zoom"}).error);
}

// The headers of a 1024-byte 32-bit DLL with one section at 512.
std::vector<unsigned char> small_dll() {
    std::vector<unsigned char> image(1024, 0);
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 64;
    unsigned char *pe = &image[64];
    pe[0] = 'P';
    pe[1] = 'E';
    pe[4] = 0x4C;  // machine 0x014C
    pe[5] = 0x01;
    pe[6] = 1;     // one section
    pe[20] = 224;  // optional header size
    pe[22] = 0x02; // characteristics 0x2102: executable, 32-bit, DLL
    pe[23] = 0x21;
    unsigned char *section = pe + 24 + 224;
    section[17] = 2;  // raw size 512
    section[21] = 2;  // raw data at 512
    return image;
}

std::string problem(const std::vector<unsigned char> &image, size_t size) {
    return panel_host::pe_image_problem(image.data(), size, size);
}

TEST(GaugeFileHeaders, EachReasonAFileCannotBeLoadedIsNamed) {
    std::vector<unsigned char> image = small_dll();
    EXPECT_EQ("", problem(image, image.size()));
    EXPECT_EQ("an empty file, not a gauge file", problem(image, 0));
    EXPECT_HAS(problem(image, 1000), "cut short: the file has 1000 bytes, its sections reach to 1024");
    EXPECT_HAS(problem(image, 100), "cut short: the file has 100 bytes, its headers need");
    std::vector<unsigned char> text(image.size(), 'x');
    EXPECT_HAS(problem(text, text.size()), "not a Windows DLL (no MZ header");
    std::vector<unsigned char> dos = image;
    dos[64] = 'N';
    EXPECT_HAS(problem(dos, dos.size()), "not a PE file");
    std::vector<unsigned char> wide = image;
    wide[68] = 0x64;
    wide[69] = 0x86;
    EXPECT_HAS(problem(wide, wide.size()), "a 64-bit (x86-64) DLL");
    std::vector<unsigned char> program = image;
    program[64 + 23] = 0x01;
    EXPECT_HAS(problem(program, program.size()), "a program, not a DLL");
    std::vector<unsigned char> distant = image;
    distant[0x3D] = 0x40;  // the PE header 16448 bytes in, past the end
    EXPECT_HAS(problem(distant, distant.size()), "cut short");
}

}  // namespace
