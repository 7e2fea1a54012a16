// The panel host test bench: loads a panel configuration's gauge files and
// runs them as the host does, headless from a scenario script or in a window.
// Both input files are read and checked whole before anything runs.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "aircraft.h"
#include "arguments.h"
#include "files.h"
#include "frame_files.h"
#include "panel.h"
#include "panel_config.h"
#include "panel_layout.h"
#include "panel_reload.h"
#include "reading.h"
#include "scenario.h"
#include "scenario_script.h"
#include "sound_track.h"
#include "trace.h"
#include "window.h"

namespace {

const int PANEL_MISTAKE = 2;
const int SCRIPT_MISTAKE = 1;

int refuse(const std::string &why) {
    fprintf(stderr, "bench: %s\n", why.c_str());
    return PANEL_MISTAKE;
}

// The simulator's folder as the trace names it: as given, or the part of
// the panel file's path as given above Aircraft\NAME\panel\ ("." for the
// current folder); the full path where the given one does not show it.
std::string simulator_folder_as_given(const std::string &given, const std::string &config_path,
                                      const std::string &found) {
    if (!given.empty() || found.empty())
        return given.empty() ? found : given;
    size_t end = config_path.size();
    for (int part = 0; part < 3; ++part) {  // past the file, its panel folder and the aircraft
        end = end == 0 ? std::string::npos : config_path.find_last_of("\\/", end - 1);
        if (end == std::string::npos || end == 0)
            return found;
    }
    const size_t start = config_path.find_last_of("\\/", end - 1);
    return start == std::string::npos ? "." : config_path.substr(0, start + 1);
}

}  // namespace

int main(int argc, char **argv) {
    bench::Options options;
    std::string error;
    if (!bench::read_arguments(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        fprintf(stderr, "bench: %s\n%s", error.c_str(), bench::USAGE);
        return PANEL_MISTAKE;
    }
    if (options.help) {
        fputs(bench::USAGE, stdout);
        return 0;
    }
    // Relative paths name files from where the bench was started, before it
    // enters the simulator's folder.
    const std::string start_folder = bench::full_path(".");
    const std::string config_path = bench::full_path(options.config_path);
    const std::string script_path = options.script_path.empty() ? "" : bench::full_path(options.script_path);
    std::string out_folder = options.out_folder.empty() ? "" : bench::full_path(options.out_folder);
    std::string trace_path = options.trace_path.empty() ? "" : bench::full_path(options.trace_path);
    const std::string given_sim_folder = options.sim_folder.empty() ? "" : bench::full_path(options.sim_folder);
    std::string sim_folder = given_sim_folder;
    const std::string frames_folder = options.frames_folder.empty() ? "" : bench::full_path(options.frames_folder);
    const std::string audio_path = options.audio_path.empty() ? "" : bench::full_path(options.audio_path);

    // The panel file, read so at the start and at every reload.
    auto read_panel = [&](bench::PanelConfig &read, bench::Diagnostics &found, std::string &why) {
        std::string panel_text;
        if (!bench::read_input(config_path, "panel configuration", panel_text, why))
            return false;
        read = bench::read_panel_text(options.config_path, panel_text, found, config_path, given_sim_folder);
        return true;
    };
    std::string text;
    bench::Diagnostics panel_found, script_found;
    bench::PanelConfig config;
    if (!read_panel(config, panel_found, error))
        return refuse(error);
    sim_folder = config.simulator_folder;
    std::vector<bench::Command> commands;
    if (!script_path.empty()) {
        if (!bench::read_input(script_path, "scenario script", text, error)) {
            panel_found.print(stderr);
            return refuse(error);
        }
        commands = bench::read_scenario_text(options.script_path, text, script_found);
    }
    panel_found.print(stderr);
    script_found.print(stderr);
    if (panel_found.has_errors())
        return PANEL_MISTAKE;
    // A script too long for a WAVE file is fine on its own, but --audio cannot
    // be had for it: refused before any file is written, by --check too.
    if (!audio_path.empty() && !script_found.has_errors()) {
        const std::string too_long = bench::track_length_mistake(bench::run_ticks(commands));
        if (!too_long.empty())
            return refuse("--audio " + audio_path + ": " + script_path + " " + too_long);
    }
    // With mistakes in the script the panel is still loaded, to check the
    // script's other lines against it, but nothing is made or run.
    const bool check_only = options.check || script_found.has_errors();

    bench::Trace trace;
    bench::FrameFiles frames;
    if (!check_only) {
        if (!out_folder.empty()) {
            if (!bench::make_folders(out_folder, error))
                return refuse("--out " + out_folder + ": " + error);
            if (trace_path.empty())
                trace_path = out_folder + "\\trace.txt";
        }
        if (!trace_path.empty() && !trace.open_file(trace_path))
            return refuse(trace_path + ": cannot write the trace: " + strerror(errno));
        if (!frames_folder.empty() && !frames.open(frames_folder, error))
            return refuse(error);
    }
    if (!sim_folder.empty() && !SetCurrentDirectoryA(sim_folder.c_str()))
        return refuse(sim_folder + ": cannot enter the simulator folder");

    bench::Panel panel(trace, options.variables, options.only_these_variables);
    if (!options.window && !options.real_sound)
        panel.use_clock_sound();
    if (!check_only && !audio_path.empty() && !panel.record_sound_track(audio_path, error))
        return refuse(error);
    bench::Scenario scenario(panel, trace, out_folder, start_folder);
    const bool loaded = panel.load(config, panel_found);
    panel_found.print(stderr);
    if (!loaded)
        return PANEL_MISTAKE;
    scenario.set_commands(options.script_path, std::move(commands));
    scenario.check_against_panel(script_found, options.window);
    script_found.print(stderr);
    if (script_found.has_errors())
        return SCRIPT_MISTAKE;
    const size_t warned = panel_found.warning_count() + script_found.warning_count();
    if (options.strict && warned > 0)
        return refuse("--strict: " + std::to_string(warned) + " warning(s) above count as mistakes");
    if (check_only) {
        fputs(bench::describe_layout(panel).c_str(), stdout);
        for (const std::string &note : panel.notes())
            printf("note: %s\n", note.c_str());
        printf("bench: %s%s%s: no mistakes found\n", options.config_path.c_str(),
               script_path.empty() ? "" : " and ", options.script_path.c_str());
        return 0;
    }

    size_t placeholders = 0;
    for (const bench::PlacedGauge &gauge : panel.gauges())
        placeholders += !gauge.runs();
    const std::string shown_sim_folder = simulator_folder_as_given(options.sim_folder, options.config_path, sim_folder);
    trace.line("panel " + config.path + ": " + std::to_string(panel.windows().size()) + " window(s), " +
               std::to_string(panel.gauges().size() - placeholders) + " gauge(s) run, " +
               std::to_string(placeholders) + " placeholder(s)" +
               (shown_sim_folder.empty() ? "" : "; simulator folder " + shown_sim_folder));
    for (const bench::PanelWindow &window : panel.windows())
        trace.line("window " + bench::window_number(window.config.number) + ": " + std::to_string(window.width) +
                   " x " + std::to_string(window.height) + " pixels, " + bench::describe(window.scale) +
                   (window.shown ? "" : ", hidden"));
    if (frames.is_open())
        panel.cycled = [&] { frames.write(panel.compose(panel.find_window(""))); };
    bench::PanelReload reload(panel, trace, {options.config_path, config_path, read_panel}, config, options.strict);
    scenario.reload_panel = [&reload](const std::string &cause) { reload.reload(cause); };
    // The window without a script watches the panel's files; a script reloads by its command.
    if (options.window && script_path.empty())
        reload.watch_files();
    panel.set_call_limit(options.call_limit);
    int status = 0;
    if (options.window) {
        bench::WindowOptions window_options;
        window_options.zoom_percent = options.zoom_percent;
        status = bench::run_window(panel, script_path.empty() ? nullptr : &scenario, reload, trace, window_options,
                                   error);
        if (!error.empty())
            fprintf(stderr, "bench: %s\n", error.c_str());
    } else {
        panel.start();
        status = bench::run_headless(scenario, panel, trace);
    }
    const int stopped = panel.stopped_gauges();
    panel.finish();
    if (!frames.error().empty())
        return refuse(frames.error());
    if (options.strict && stopped > 0 && status == 0) {
        fprintf(stderr, "bench: --strict: %d gauge(s) stopped during the run\n", stopped);
        return SCRIPT_MISTAKE;
    }
    return status;
}
