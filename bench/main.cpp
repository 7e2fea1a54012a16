// The panel host test bench: loads a panel configuration's gauge files and
// runs them as the host does, headless from a scenario script or in a window.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "aircraft.h"
#include "panel.h"
#include "panel_config.h"
#include "scenario.h"
#include "trace.h"
#include "window.h"

namespace {

const char USAGE[] =
    "usage: bench PANEL.cfg [--script FILE] [--window] [--out FOLDER] [--trace FILE]\n"
    "             [--sim-folder FOLDER] [--variables NAME,NAME,...] [--real-sound] [--audio FILE.wav]\n"
    "  --script      run the scenario script (headless unless --window)\n"
    "  --window      show the panel in a window; clicks go to the gauges\n"
    "  --out         folder for the trace (trace.txt) and snapshots\n"
    "  --trace       write the trace into FILE as well\n"
    "  --sim-folder  the simulator's folder, made the current directory\n"
    "                (default: the folder above Aircraft\\ when the panel lies there)\n"
    "  --variables   the named panel variables to provide (default: the master switch's 33)\n"
    "  --real-sound  play the gauges' sound on the machine's device, in real time\n"
    "                (headless runs play it on the bench's own device, on the panel's clock)\n"
    "  --audio       write what the gauges play, mixed on the panel's clock, into FILE.wav\n";

std::string full_path(const std::string &path) {
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(full);
}

// The simulator's folder for a panel in ...\Aircraft\NAME\panel\, or empty.
std::string simulator_folder(const std::string &panel_folder) {
    std::string folder = panel_folder;
    for (int level = 0; level < 3; ++level) {
        while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
            folder.pop_back();
        size_t slash = folder.find_last_of("\\/");
        if (slash == std::string::npos)
            return std::string();
        if (level == 2)
            return _stricmp(folder.substr(slash + 1).c_str(), "Aircraft") == 0
                       ? folder.substr(0, slash + 1)
                       : std::string();
        folder = folder.substr(0, slash + 1);
    }
    return std::string();
}

std::vector<std::string> split_names(const std::string &text) {
    std::vector<std::string> names;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t comma = text.find(',', begin);
        std::string name = text.substr(begin, comma - begin);
        if (!name.empty())
            names.push_back(name);
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    return names;
}

}  // namespace

int main(int argc, char **argv) {
    std::string config_path, script_path, out_folder, trace_path, sim_folder, audio_path;
    std::vector<std::string> variables = bench::MASTER_SWITCH_VARIABLES;
    bool window = false;
    bool real_sound = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--window")
            window = true;
        else if (arg == "--script" && has_value)
            script_path = full_path(argv[++i]);
        else if (arg == "--out" && has_value)
            out_folder = full_path(argv[++i]);
        else if (arg == "--trace" && has_value)
            trace_path = full_path(argv[++i]);
        else if (arg == "--sim-folder" && has_value)
            sim_folder = full_path(argv[++i]);
        else if (arg == "--variables" && has_value)
            variables = split_names(argv[++i]);
        else if (arg == "--real-sound")
            real_sound = true;
        else if (arg == "--audio" && has_value)
            audio_path = full_path(argv[++i]);
        else if (config_path.empty() && arg[0] != '-')
            config_path = arg;
        else {
            fprintf(stderr, "bench: unexpected argument \"%s\"\n%s", arg.c_str(), USAGE);
            return 2;
        }
    }
    if (config_path.empty() || (script_path.empty() && !window)) {
        fputs(USAGE, stderr);
        return 2;
    }

    bench::PanelConfig config;
    std::string error;
    if (!bench::read_panel_config(config_path, config, error)) {
        fprintf(stderr, "bench: %s\n", error.c_str());
        return 2;
    }
    bench::Trace trace;
    if (!out_folder.empty()) {
        CreateDirectoryA(out_folder.c_str(), nullptr);
        if (trace_path.empty())
            trace_path = out_folder + "\\trace.txt";
    }
    if (!trace_path.empty() && !trace.open_file(trace_path)) {
        fprintf(stderr, "bench: %s: cannot write the trace\n", trace_path.c_str());
        return 2;
    }
    if (sim_folder.empty())
        sim_folder = simulator_folder(config.folder);
    if (!sim_folder.empty() && !SetCurrentDirectoryA(sim_folder.c_str())) {
        fprintf(stderr, "bench: %s: cannot enter the simulator folder\n", sim_folder.c_str());
        return 2;
    }

    bench::Panel panel(trace, variables);
    if (!window && !real_sound)
        panel.use_clock_sound();
    if (!audio_path.empty() && !panel.record_sound_track(audio_path, error)) {
        fprintf(stderr, "bench: %s\n", error.c_str());
        return 2;
    }
    bench::Scenario scenario(panel, trace, out_folder);
    if (!script_path.empty() && !scenario.load(script_path, error)) {
        fprintf(stderr, "bench: %s\n", error.c_str());
        return 2;
    }
    if (!panel.load(config, error)) {
        fprintf(stderr, "bench: %s\n", error.c_str());
        return 2;
    }
    trace.line("panel " + config.path + ": " + std::to_string(panel.width()) + " x " +
               std::to_string(panel.height()) + ", " + std::to_string(panel.gauges().size()) +
               " gauges" + (sim_folder.empty() ? "" : "; simulator folder " + sim_folder));
    int status = 0;
    if (window) {
        status = bench::run_window(panel, script_path.empty() ? nullptr : &scenario, error);
        if (!error.empty())
            fprintf(stderr, "bench: %s\n", error.c_str());
    } else {
        panel.start();
        status = bench::run_headless(scenario, panel);
    }
    panel.stop();
    return status;
}
