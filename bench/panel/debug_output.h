// What loaded modules write with OutputDebugStringA, caught through an import
// patch on each watched module (as sound_watch catches DirectSoundCreate), one
// text line at a time. The gauges tell this way why a sound stays silent.
#ifndef BENCH_DEBUG_OUTPUT_H
#define BENCH_DEBUG_OUTPUT_H

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import_patch.h"

namespace bench {

class DebugOutput {
public:
    // Told each line, without its line end.
    using Listener = std::function<void(const std::string &line)>;

    DebugOutput() = default;
    ~DebugOutput() { clear(); }
    DebugOutput(const DebugOutput &) = delete;
    DebugOutput &operator=(const DebugOutput &) = delete;

    // Catches `module`'s debug output until clear(); false when the module
    // imports no OutputDebugStringA, or is watched already.
    bool watch(HMODULE module, Listener listener);
    // Stops watching every module; done before they unload.
    void clear();

private:
    struct Watched {
        HMODULE module;
        Listener listener;
        std::unique_ptr<ImportPatch> patch;
    };
    std::vector<std::unique_ptr<Watched>> watched_;
};

// Splits a debug output text into its lines: line ends dropped, empty lines
// left out.
std::vector<std::string> debug_output_lines(const char *text);

}  // namespace bench

#endif
