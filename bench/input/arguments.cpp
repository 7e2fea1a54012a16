#include "arguments.h"

#include <cstdlib>

#include "reading.h"

namespace bench {

const char USAGE[] =
    "usage: bench PANEL.cfg [--script FILE] [--window] [--check] [--strict] [--out FOLDER] [--trace FILE]\n"
    "             [--sim-folder FOLDER] [--variables NAME,NAME,...] [--frames FOLDER]\n"
    "             [--real-sound] [--audio FILE.wav] [--zoom fit|PERCENT] [--call-limit SECONDS]\n"
    "       bench --help\n"
    "  --script      run the scenario script (headless unless --window)\n"
    "  --window      show the panel in a window; clicks go to the gauges\n"
    "  --check       check the panel file and the script, print the panel's layout, then stop;\n"
    "                runs nothing\n"
    "  --strict      every warning found before the run is a mistake (exit status 2)\n"
    "  --out         folder for the trace (trace.txt) and snapshots, made if missing\n"
    "  --trace       write the trace into FILE as well\n"
    "  --sim-folder  the simulator's folder, made the current directory\n"
    "                (default: the folder above Aircraft\\ when the panel lies there)\n"
    "  --variables   provide only these panel variables (default: every name a gauge binds)\n"
    "  --frames      write the panel picture after every tick into FOLDER, 00001.bmp on\n"
    "  --real-sound  play the gauges' sound on the machine's device, in real time\n"
    "                (headless runs play it on the bench's own device, on the panel's clock)\n"
    "  --audio       write what the gauges play, mixed on the panel's clock, into FILE.wav\n"
    "  --zoom        the window's zoom at the start: fit (the default: the largest up to 100%\n"
    "                at which the whole panel fits the screen) or 25 to 400 percent\n"
    "  --call-limit  seconds a gauge call may take before the bench steps in (default 10;\n"
    "                0: no limit)\n";

namespace {

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

bool read_arguments(const std::vector<std::string> &arguments, Options &options, std::string &error) {
    struct Valued {
        const char *name;
        const char *what;
        std::string *value;
    };
    std::string variables, zoom, call_limit;
    const Valued valued[] = {
        {"--script", "a scenario file", &options.script_path},
        {"--out", "a folder", &options.out_folder},
        {"--trace", "a file", &options.trace_path},
        {"--sim-folder", "a folder", &options.sim_folder},
        {"--variables", "a list of names", &variables},
        {"--frames", "a folder", &options.frames_folder},
        {"--audio", "a WAVE file", &options.audio_path},
        {"--zoom", "fit or a percentage", &zoom},
        {"--call-limit", "a number of seconds", &call_limit},
    };
    struct Flag {
        const char *name;
        bool *value;
    };
    const Flag flags[] = {
        {"--window", &options.window},
        {"--real-sound", &options.real_sound},
        {"--check", &options.check},
        {"--strict", &options.strict},
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string &arg = arguments[i];
        if (arg == "--help" || arg == "-h" || arg == "/?") {
            options.help = true;
            return true;
        }
        bool *flag = nullptr;
        for (const Flag &candidate : flags)
            if (arg == candidate.name)
                flag = candidate.value;
        if (flag != nullptr) {
            *flag = true;
            continue;
        }
        const Valued *option = nullptr;
        for (const Valued &candidate : valued)
            if (arg == candidate.name)
                option = &candidate;
        if (option != nullptr) {
            if (i + 1 == arguments.size() || arguments[i + 1].empty() ||
                arguments[i + 1].compare(0, 2, "--") == 0) {
                error = std::string(option->name) + " needs " + option->what + " after it";
                return false;
            }
            if (!option->value->empty() || (option->value == &variables && options.only_these_variables)) {
                error = std::string(option->name) + " is given twice";
                return false;
            }
            *option->value = arguments[++i];
            if (option->value == &variables) {
                options.only_these_variables = true;
                options.variables = split_names(variables);
            }
            continue;
        }
        if (!arg.empty() && arg[0] == '-') {
            error = "unknown option \"" + arg + "\"";
            return false;
        }
        if (!options.config_path.empty()) {
            error = "\"" + arg + "\": a second panel file (the first is \"" + options.config_path +
                    "\"); the bench takes one";
            return false;
        }
        if (arg.empty()) {
            error = "an empty panel file name";
            return false;
        }
        options.config_path = arg;
    }
    if (!zoom.empty()) {
        if (!read_zoom(zoom, options.zoom_percent, error)) {
            error = "--zoom: " + error;
            return false;
        }
        if (!options.window) {
            error = "--zoom needs --window";
            return false;
        }
    }
    if (!call_limit.empty()) {
        char *end = nullptr;
        options.call_limit = strtod(call_limit.c_str(), &end);
        if (*end != '\0' || call_limit.find_first_not_of("0123456789.") != std::string::npos ||
            !(options.call_limit >= 0 && options.call_limit <= 3600)) {
            error = "--call-limit: \"" + call_limit + "\" is not a number of seconds from 0 to 3600";
            return false;
        }
    }
    if (options.config_path.empty()) {
        error = "no panel file (PANEL.cfg) named";
        return false;
    }
    if (options.script_path.empty() && !options.window && !options.check) {
        error = "nothing to do with " + options.config_path +
                ": give --script FILE, --window or --check";
        return false;
    }
    return true;
}

}  // namespace bench
