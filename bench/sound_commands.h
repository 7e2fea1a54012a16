// The scenario commands that fault a gauge's sound, as a real device now and
// then does: `lose-sound GAUGE` takes its buffers' memory away, and
// `fail-sound GAUGE OPERATION [CODE]` makes its next call of OPERATION fail.
#ifndef BENCH_SOUND_COMMANDS_H
#define BENCH_SOUND_COMMANDS_H

#include <string>
#include <vector>

#include "panel.h"
#include "trace.h"

namespace bench {

// False when `words` is none of these commands. Otherwise runs it: `error`
// is empty when it ran, else what was wrong.
bool sound_fault_command(Panel &panel, Trace &trace, const std::vector<std::string> &words, std::string &error);

}  // namespace bench

#endif
