// The bench's command line, read into options; every mistake names the
// argument and why.
#ifndef BENCH_ARGUMENTS_H
#define BENCH_ARGUMENTS_H

#include <string>
#include <vector>

namespace bench {

struct Options {
    std::string config_path;
    std::string script_path;
    std::string out_folder;
    std::string trace_path;
    std::string sim_folder;
    std::string frames_folder;
    std::string audio_path;
    std::vector<std::string> variables;
    int zoom_percent = 0;  // --zoom: the window's zoom at the start; 0: fit
    bool only_these_variables = false;  // --variables was given
    bool window = false;
    bool real_sound = false;  // the machine's sound device, also headless
    bool check = false;
    bool strict = false;  // warnings before the run are mistakes
    bool help = false;
    double call_limit = 10;  // seconds a gauge call may take; 0: no limit
};

extern const char USAGE[];

// False with the reason in `error` when the arguments are not a bench command.
bool read_arguments(const std::vector<std::string> &arguments, Options &options, std::string &error);

}  // namespace bench

#endif
