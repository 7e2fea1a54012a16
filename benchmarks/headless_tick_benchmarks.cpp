// A headless tick of the example panel as a user runs it: bench.exe on the
// example panel with a script of many ticks, the trace into --out and the
// standard output into a file, against the gauges' own updates measured in
// the same run. The scripts: a quiet run (the goal's measure: what a long run
// mostly is) and the demo's steps over and over, where some sound plays in
// most ticks.
#include "gauge_benchmarks.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "benchmark_table.h"
#include "gauge_file.h"
#include "test_files.h"

namespace {

// The demo's steps, 199 ticks: master on, ignition start, cranking until
// the engine runs, running, ignition stop, the stop sound, master off. Some
// sound plays in 174 of the 199 ticks.
const char *const DEMO_STEPS =
    "click Brennovalux\nrun 3\nclick Delvarotine\nrun 135\nclick Delvarotine\nrun 59\nclick Brennovalux\nrun 2\n";
const long long TICKS_PER_STEPS = 199;
const long long SHORT_TICKS = 1990;

// One kind of run: a short and a long script, the ticks between them, and
// whether the sound track is written.
struct TickRun {
    std::string name;
    std::string short_script;
    std::string long_script;
    long long ticks_between;
    bool audio;
};

std::vector<uint8_t> file_bytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> text(const std::string &script) { return std::vector<uint8_t>(script.begin(), script.end()); }

std::string repeated_steps(long long repeats) {
    std::string script;
    for (long long i = 0; i < repeats; ++i)
        script += DEMO_STEPS;
    return script;
}

// The example panel laid out as the README's demo runs it: gauge files and
// panel file in Aircraft\kaprelo\panel\, the ignition's sounds where it opens
// them, and the scripts.
class ExamplePanel {
public:
    ExamplePanel() {
        const std::string program = panel_host::program_folder();
        const std::string example = program + "benchmark_panel\\";
        for (const char *name : {"Brennovalux.gau", "Delvarotine.gau"})
            folder_.write(std::string("Aircraft\\kaprelo\\panel\\") + name, file_bytes(program + name));
        for (const char *name : {"panel.cfg", "panel_background.bmp"})
            folder_.write(std::string("Aircraft\\kaprelo\\panel\\") + name, file_bytes(example + name));
        for (const char *name : {"Eg.wav", "Stop.wav"})
            folder_.write(std::string("Aircraft\\sound\\kaprelo\\") + name, file_bytes(example + name));
        // What the bench writes, so that the folder is removed whole.
        for (const char *name : {"console.txt", "out\\trace.txt", "out\\track.wav"})
            folder_.write(name, {});
        bench_ = program + "bench.exe";
    }

    void write_script(const std::string &name, const std::string &script) { folder_.write(name, text(script)); }

    // Seconds from the start of a bench run of `script` to its end; -1 when it fails.
    double run(const std::string &script, bool audio) {
        const std::string folder = folder_.path();
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        HANDLE console = CreateFileA((folder + "\\console.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                     &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = console;
        startup.hStdError = console;
        std::string command = "\"" + bench_ + "\" Aircraft\\kaprelo\\panel\\panel.cfg --script " + script +
                              " --out out" + (audio ? " --audio out\\track.wav" : "");
        PROCESS_INFORMATION process = {};
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const bool started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                            folder.c_str(), &startup, &process);
        DWORD status = 1;
        if (started) {
            WaitForSingleObject(process.hProcess, INFINITE);
            QueryPerformanceCounter(&end);
            GetExitCodeProcess(process.hProcess, &status);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(console);
        DeleteFileA((folder + "\\out\\track.wav").c_str());  // up to half a gigabyte
        if (status != 0) {
            std::printf("  bench.exe %s failed (exit status %lu); its output is in %s\\console.txt\n",
                        script.c_str(), static_cast<unsigned long>(status), folder.c_str());
            return -1;
        }
        return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    }

private:
    TestFolder folder_;
    std::string bench_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

void benchmark_headless_ticks(int rounds, long long quiet_ticks, long long quiet_audio_ticks, long long repeats,
                              long long audio_repeats, double updates_nanoseconds) {
    ExamplePanel panel;
    panel.write_script("short_quiet.scenario", "run " + std::to_string(SHORT_TICKS) + "\n");
    panel.write_script("quiet.scenario", "run " + std::to_string(quiet_ticks) + "\n");
    panel.write_script("quiet_audio.scenario", "run " + std::to_string(quiet_audio_ticks) + "\n");
    panel.write_script("short_steps.scenario", repeated_steps(SHORT_TICKS / TICKS_PER_STEPS));
    panel.write_script("steps.scenario", repeated_steps(repeats));
    panel.write_script("steps_audio.scenario", repeated_steps(audio_repeats));
    const std::vector<TickRun> runs = {
        {"headless tick, run " + std::to_string(quiet_ticks), "short_quiet.scenario", "quiet.scenario",
         quiet_ticks - SHORT_TICKS, false},
        {"headless tick with --audio, run " + std::to_string(quiet_audio_ticks), "short_quiet.scenario",
         "quiet_audio.scenario", quiet_audio_ticks - SHORT_TICKS, true},
        {"headless tick, the demo's steps (" + std::to_string(repeats * TICKS_PER_STEPS) + " ticks)",
         "short_steps.scenario", "steps.scenario", repeats * TICKS_PER_STEPS - SHORT_TICKS, false},
        {"headless tick with --audio, the demo's steps (" + std::to_string(audio_repeats * TICKS_PER_STEPS) +
             " ticks)",
         "short_steps.scenario", "steps_audio.scenario", audio_repeats * TICKS_PER_STEPS - SHORT_TICKS, true},
    };
    // A tick is the difference of a long run and a short one, over the ticks
    // between: the process's start and the panel's load fall out.
    std::vector<std::vector<double>> times(runs.size());
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < runs.size(); ++i) {
            const double short_run = panel.run(runs[i].short_script, runs[i].audio);
            const double long_run = panel.run(runs[i].long_script, runs[i].audio);
            if (short_run < 0 || long_run < 0)
                return;
            times[i].push_back((long_run - short_run) / double(runs[i].ticks_between) * 1e9);
        }
    std::vector<BenchmarkResult> results = {{"the two gauges' updates together (the table above)", updates_nanoseconds}};
    for (size_t i = 0; i < runs.size(); ++i)
        results.push_back({runs[i].name, median(times[i])});
    print_table("Headless tick of the example panel as a user runs it: bench.exe with a script, the trace into "
                "--out, standard output into a file",
                "median of " + std::to_string(rounds) + " rounds; a tick is a long run's time less a " +
                    std::to_string(SHORT_TICKS) + "-tick one's, over the ticks between",
                results);
    const double plain_ratio = results[1].nanoseconds / updates_nanoseconds;
    const double audio_ratio = results[2].nanoseconds / updates_nanoseconds;
    print_count("headless tick / the gauges' updates", plain_ratio, "limit 10:", plain_ratio <= 10);
    print_count("headless tick with --audio / the gauges' updates", audio_ratio, "limit 20:", audio_ratio <= 20);
}
