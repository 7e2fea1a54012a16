// A scenario script's text read into commands, each checked against its
// command's forms before any runs. One table lists every command.
#ifndef BENCH_SCENARIO_SCRIPT_H
#define BENCH_SCENARIO_SCRIPT_H

#include <string>
#include <vector>

#include "reading.h"

namespace bench {

// A command and its forms, '|' between forms, each a list of argument words:
// X, Y (a point of a window, in its design units), WINDOW (a window's number
// or ident), TICKS, VARIABLE (a name or a token number), VALUE
// (decimal), EVENT (start, stop or a number), KEY (shift+1 to shift+9, z, plus, minus, f5), ZOOM
// (fit or a percentage), BYTES, BITMAP (0x2000 or decimal), FILE, and any other word as it is; a last word ending in "..."
// takes the rest of the line (TEXT... may be empty).
struct CommandSyntax {
    const char *name;
    const char *forms;
};

extern const std::vector<CommandSyntax> COMMANDS;

struct Command {
    int line = 0;
    std::string name;
    int form = 0;                    // which of the command's forms it has
    std::vector<std::string> words;  // its arguments as written
    std::vector<double> numbers;     // each argument's number; 0 for names
};

// The word a command's form gives for `placeholder` ("WINDOW"), or empty
// when its form has none.
std::string argument_word(const Command &command, const std::string &placeholder);

// "usage: click X Y | click GAUGE..." for a command of COMMANDS.
std::string usage(const CommandSyntax &syntax);

// Reads the script's text; every mistake goes into `found` with "PATH:LINE".
std::vector<Command> read_scenario_text(const std::string &path, const std::string &text,
                                        Diagnostics &found);

// The panel ticks the commands' runs come to.
long long run_ticks(const std::vector<Command> &commands);

}  // namespace bench

#endif
