// The panel and scenario readers on thousands of generated and mutated
// inputs: each ends in checked structures or named mistakes, never a crash
// or a hang; and a few whole bench runs on such inputs end with exit status
// 0, 1 or 2 and a message.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "bench_limits.h"
#include "panel_config.h"
#include "reading.h"
#include "scenario_script.h"

#ifdef _WIN32
#include <windows.h>

#include <fstream>

#include "gauge_file.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

const char PANEL[] = "C:\\sim\\Aircraft\\test\\panel\\panel.cfg";
const char SCRIPT[] = "C:\\work\\script.txt";
const int CASES = 3000;                        // of each reader
const std::chrono::seconds BUDGET(60);         // for all cases of one reader
const std::chrono::milliseconds SLOWEST(1000); // for one input

const std::vector<std::string> PANEL_SEEDS = {
    "; Both gauges\n[Window Titles]\nWindow00=Main Panel\n\n[Window00]\nsize_mm=640, 160\n"
    "position=7\nvisible=1\nident=0\ngauge00=Brennovalux, 20, 40\ngauge01=Delvarotine, 100, 40\n",
    "[Window00]\nfile = backdrop.bmp\ngauge01=Delvarotine, 20, 40\nGauge00 = Brennovalux, 20, 40\n",
    "[Window00]\ngauge00=Brennovalux!Toggle-type Master Switch, 0, 0, 120\n"
    "gauge01=Delvarotine!Delvarotine, 130, 0\n",
    "// The later hosts' form\n[Window Titles]\nWindow00=Main Panel\nWindow01=Radio\nWindow02=Switches\n"
    "[Window00]\nfile=panel.bmp // main\nsize_mm=515\n[Window02]\nfile_1024=sw.bmp\nsize_mm=196,100\n"
    "pixel_size=392,200\nbackground_color=0,0,0\nposition=8\nvisible=0\nident=SWITCH_PANEL\n"
    "gauge00=sub\\Brennovalux!Toggle-type Master Switch, 10, 10, 40, 60, free text, more\n"
    "gauge01=Delvarotine, 60,64, , , //NOTE\n[Window01]\ngauge00=Radio!Nav, 0,0,,,9998 9999\n",
    "[Window Titles]\nWindow00=Main\nWindow01=Popup\nWindow02=Strip\n[Window00]\nsize_mm=515\n"
    "gauge00=../../Shared Base/DLLs/Ignition2!Delvarotine, 66,44,299,291, 2\n"
    "gauge27=Chimes!chime_player, 0,0,0,0, ./Gauges/Chimes.ini\ngauge31=Cabin_Keys!Key_Clicks, 0,0,1,0\n"
    "[Window01]\nBackground_color=0,0,0\nposition=4\nvisible=0\nident=POPUP\n"
    "[Window02]\nsize_mm=911\nfile=strip.bmp\ngauge00=Place!Holder, 0, 0\n[VCockpit01]\nsize_mm=1024,1024\n",
};

const std::vector<std::string> SCRIPT_SEEDS = {
    "note panel at rest\nrun 2\nexpect batt1_on 0\nexpect-hidden Delvarotine 0x1020\n"
    "snapshot 1-at-rest.png\nclick Brennovalux\nrun 1\nexpect batt1_on 1\nexpect-sound Brennovalux 1322\n"
    "expect-shown Brennovalux 0x2000\nclick Delvarotine\nrun 100\nexpect-event start\nexpect 131 1\n",
    "# clicks by point\nrun 1\nclick 125 5\nclick 70 100 # the switch\nset 1 500\nexpect-no-event stop\n"
    "expect-no-sound Delvarotine\nmouse 10 10\nwindow-snapshot w.png\nexpect-window-as-panel\nquit\n",
};

const std::vector<std::string> PIECES = {
    "99999999999999999999", "-1", "4294967297", "010", "0x7fffffff", "1e9", "4097", "-4097", "0",
    "#", ";", "=", ",", "!", ".", "-", "\t", "\"", "\r", "\n", "\n\n", "\xEF\xBB\xBF", std::string(1, '\0'),
    "[Window00]", "[", "]", "gauge00=", "gauge99=", "size=", "size_mm=", "file=", "B, 1, 2", "x,y,z,w,v",
    "//", "[Window Titles]", "window01=", "[Window63]", "[Window64]", "pixel_size=", "file_1024=",
    "background_color=", "position=", "ident=", "..\\", "a\\b!c", ",,,", "\t",
    "run ", "click ", "expect ", "set ", "snapshot ", "note ", "expect-event ", "expect-shown ",
    std::string(1500, 'x'), "\xFF\xFE", "\\..\\", "start",
};

std::string mutate(std::string text, std::mt19937 &random) {
    auto pick = [&](size_t n) { return n == 0 ? size_t(0) : std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    const int edits = 1 + static_cast<int>(pick(4));
    for (int i = 0; i < edits; ++i) {
        const size_t at = pick(text.size() + 1);
        switch (pick(6)) {
        case 0: text.insert(at, PIECES[pick(PIECES.size())]); break;
        case 1: text.erase(at, pick(20)); break;
        case 2: if (at < text.size()) text[at] = static_cast<char>(pick(256)); break;
        case 3: text.insert(at, 1, static_cast<char>(pick(256))); break;
        case 4: text = text.substr(0, at); break;
        default: {  // a line repeated
            const size_t begin = text.rfind('\n', at == 0 ? 0 : at - 1);
            const size_t from = begin == std::string::npos ? 0 : begin + 1;
            const size_t end = text.find('\n', from);
            text.insert(from, text.substr(from, end == std::string::npos ? std::string::npos : end - from + 1));
        }
        }
    }
    return text;
}

// A number near one of the limits, or far past them.
std::string boundary_number(std::mt19937 &random) {
    static const long long limits[] = {0, 1, 18, bench::MAX_UNITS, bench::MAX_PANEL_SIDE,
                                       bench::MAX_SCRIPT_TICKS, 2147483647LL, 4294967296LL};
    const long long close_to = limits[random() % (sizeof limits / sizeof limits[0])] +
                           static_cast<long long>(random() % 3) - 1;
    return std::to_string(random() % 4 == 0 ? -close_to : close_to);
}

// Window sections of gauge and size lines with numbers near the limits,
// listed in [Window Titles] or not.
std::string generated_panel(std::mt19937 &random) {
    std::string text;
    const unsigned windows = 1 + random() % 3;
    if (random() % 2 == 0) {
        text += "[Window Titles]\n";
        for (unsigned window = 0; window < windows; ++window)
            text += "window0" + std::to_string(window + random() % 2) + "=Window\n";
    }
    for (unsigned window = 0; window < windows; ++window) {
        text += "[Window0" + std::to_string(window) + "]\n";
        if (random() % 2 == 0)
            text += "size=" + boundary_number(random) + ", " + boundary_number(random) + "\n";
        if (random() % 2 == 0)
            text += "size_mm=" + boundary_number(random) + (random() % 2 == 0 ? "" : ", " + boundary_number(random)) + "\n";
        for (unsigned gauge = 0, gauges = 1 + random() % 4; gauge < gauges; ++gauge) {
            text += "gauge0" + std::to_string(gauge) + "=Brennovalux, " + boundary_number(random) + ", " +
                    boundary_number(random);
            for (unsigned field = random() % 4; field > 0; --field)
                text += ", " + (random() % 3 == 0 ? std::string() : boundary_number(random));
            text += "\n";
        }
    }
    return text;
}

// A script of commands of the table with arguments drawn from the pieces.
std::string generated_script(std::mt19937 &random) {
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    std::string text;
    const size_t lines = 1 + pick(12);
    for (size_t line = 0; line < lines; ++line) {
        text += bench::COMMANDS[pick(bench::COMMANDS.size())].name;
        for (size_t word = pick(4); word > 0; --word)
            text += " " + (pick(2) == 0 ? boundary_number(random) : PIECES[pick(PIECES.size())]);
        text += "\n";
    }
    return text;
}

void expect_placed(const bench::Diagnostics &found, const std::string &path, const std::string &input) {
    for (const bench::Diagnostic &item : found.items()) {
        EXPECT_FALSE(item.what.empty()) << input;
        EXPECT_EQ(0u, item.where.find(path)) << item.where << "\n" << input;
    }
}

// How many ".." parts a path the reader made begins with; -1 for one elsewhere.
int levels_up(const std::string &path) {
    int leading = 0;
    bool other = false;
    size_t begin = 0;
    for (;;) {
        const size_t end = path.find('\\', begin);
        const std::string part = path.substr(begin, end - begin);
        if (part == "..") {
            if (other)
                return -1;
            ++leading;
        } else {
            other = true;
        }
        if (end == std::string::npos)
            return leading;
        begin = end + 1;
    }
}

void check_panel(const std::string &input) {
    bench::Diagnostics found;
    const Clock::time_point begin = Clock::now();
    const bench::PanelConfig config = bench::read_panel_text(PANEL, input, found);
    EXPECT_LT(Clock::now() - begin, SLOWEST) << input;
    expect_placed(found, PANEL, input);
    // The one mistake a panel file can hold: no window is made of it.
    EXPECT_EQ(found.has_errors(), config.windows.empty()) << input;
    int previous = -1;
    for (const bench::WindowConfig &window : config.windows) {
        EXPECT_GT(window.number, previous) << input;
        EXPECT_LT(window.number, bench::MAX_WINDOWS) << input;
        previous = window.number;
        EXPECT_TRUE(window.size_mm.width >= 0 && window.size_mm.width <= bench::MAX_UNITS) << input;
        EXPECT_TRUE(window.size_mm.height >= 0 && window.size_mm.height <= bench::MAX_UNITS) << input;
        EXPECT_TRUE(window.pixel_size.width >= 0 && window.pixel_size.width <= bench::MAX_PANEL_SIDE) << input;
        EXPECT_TRUE(window.pixel_size.height >= 0 && window.pixel_size.height <= bench::MAX_PANEL_SIDE) << input;
        EXPECT_LE(levels_up(window.background), 3) << input;
        for (const bench::GaugeLine &line : window.gauges) {
            EXPECT_NE(line.file_path.empty(), line.path_problem.empty()) << input;
            EXPECT_LE(levels_up(line.file_path), 3) << input;
            EXPECT_GT(line.line, 0) << input;
            EXPECT_LE(std::abs(line.x), bench::MAX_UNITS) << input;
            EXPECT_LE(std::abs(line.y), bench::MAX_UNITS) << input;
            EXPECT_TRUE(line.width >= 0 && line.width <= bench::MAX_UNITS) << input;
            EXPECT_TRUE(line.height >= 0 && line.height <= bench::MAX_UNITS) << input;
            EXPECT_TRUE(!line.zero_box || line.width == 0 || line.height == 0) << input;
        }
        for (const bench::UnreadGaugeLine &unread : window.unread_gauges) {
            EXPECT_FALSE(unread.why.empty()) << input;
            EXPECT_GT(unread.line, 0) << input;
        }
    }
}

void check_script(const std::string &input) {
    bench::Diagnostics found;
    const Clock::time_point begin = Clock::now();
    const std::vector<bench::Command> commands = bench::read_scenario_text(SCRIPT, input, found);
    EXPECT_LT(Clock::now() - begin, SLOWEST) << input;
    expect_placed(found, SCRIPT, input);
    if (found.has_errors())
        return;
    double ticks = 0;
    for (const bench::Command &command : commands) {
        EXPECT_GT(command.line, 0) << input;
        EXPECT_EQ(command.words.size(), command.numbers.size()) << input;
        if (command.name == "run")
            ticks += command.numbers[0];
    }
    EXPECT_LE(ticks, static_cast<double>(bench::MAX_SCRIPT_TICKS)) << input;
}

template <typename Check, typename Make>
void run_cases(const char *what, Check check, Make make) {
    std::mt19937 random(20261210);
    const Clock::time_point begin = Clock::now();
    int done = 0;
    for (; done < CASES && Clock::now() - begin < BUDGET && !::testing::Test::HasFailure(); ++done)
        check(make(random));
    printf("%d %s inputs in %.1f s\n", done, what,
           std::chrono::duration<double>(Clock::now() - begin).count());
    EXPECT_EQ(CASES, done) << "the readers are too slow, or a case failed";
}

TEST(GeneratedInputs, ThePanelReaderEndsInStructuresOrNamedMistakes) {
    run_cases("panel", check_panel, [](std::mt19937 &random) {
        return random() % 3 == 0 ? generated_panel(random)
                                 : mutate(PANEL_SEEDS[random() % PANEL_SEEDS.size()], random);
    });
}

TEST(GeneratedInputs, TheScenarioReaderEndsInCommandsOrNamedMistakes) {
    run_cases("scenario", check_script, [](std::mt19937 &random) {
        return random() % 3 == 0 ? generated_script(random)
                                 : mutate(SCRIPT_SEEDS[random() % SCRIPT_SEEDS.size()], random);
    });
}

#ifdef _WIN32
// A whole bench run: its exit status, or -1 after `seconds` (it is ended then).
int run_bench(const std::string &arguments, const std::string &folder, std::string &output,
              DWORD seconds) {
    const std::string output_path = folder + "\\output.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = start.hStdError = file;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + panel_host::program_folder() + "bench.exe\" " + arguments;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                        &start, &process)) {
        CloseHandle(file);
        return -2;
    }
    DWORD status = 0;
    if (WaitForSingleObject(process.hProcess, seconds * 1000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, INFINITE);
        status = static_cast<DWORD>(-1);
    } else {
        GetExitCodeProcess(process.hProcess, &status);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(file);
    std::ifstream in(output_path, std::ios::binary);
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return static_cast<int>(status);
}

void write_file(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

TEST(GeneratedInputs, TheWholeBenchEndsWithAStatusAndAMessage) {
    const std::string folder = panel_host::program_folder() + "bench_input_fuzz";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char *gauge : {"Brennovalux.gau", "Delvarotine.gau"})
        ASSERT_TRUE(CopyFileA((panel_host::program_folder() + gauge).c_str(),
                              (folder + "\\" + gauge).c_str(), FALSE));
    std::mt19937 random(1210);
    for (int round = 0; round < 24; ++round) {
        const std::string panel = mutate(PANEL_SEEDS[round % PANEL_SEEDS.size()], random);
        const std::string script = round % 4 == 0 ? generated_script(random)
                                                  : mutate(SCRIPT_SEEDS[round % SCRIPT_SEEDS.size()], random);
        write_file(folder + "\\panel.cfg", panel);
        write_file(folder + "\\script.txt", script);
        std::string output;
        const int status = run_bench("panel.cfg --script script.txt --check", folder, output, 60);
        EXPECT_TRUE(status == 0 || status == 1 || status == 2)
            << "status " << status << "\n--- panel\n" << panel << "\n--- script\n" << script << "\n--- output\n" << output;
        EXPECT_FALSE(output.empty()) << "status " << status;
    }
}
#endif

}  // namespace
