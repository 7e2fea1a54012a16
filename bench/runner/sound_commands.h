// The scenario commands that fault a gauge's sound, as a real device now and
// then does: `lose-sound GAUGE` takes its buffers' memory away, and
// `fail-sound GAUGE OPERATION [CODE]` makes its next call of OPERATION fail.
// `words` is the command's name followed by its arguments.
#ifndef BENCH_SOUND_COMMANDS_H
#define BENCH_SOUND_COMMANDS_H

#include <string>
#include <vector>

#include "panel.h"
#include "trace.h"

namespace bench {

// What keeps the command from running on this panel; empty when nothing does.
std::string sound_fault_mistake(Panel &panel, const std::vector<std::string> &words);

// Runs the command; `error` is empty when it ran, else what was wrong.
void run_sound_fault(Panel &panel, Trace &trace, const std::vector<std::string> &words, std::string &error);

}  // namespace bench

#endif
