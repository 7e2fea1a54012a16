// The lines a module writes with OutputDebugStringA, caught by the bench's
// catcher while a DebugLines lives; white-box tests watch their own program,
// whose import the module code they link in calls.
#ifndef DEBUG_LINES_H
#define DEBUG_LINES_H

#include <windows.h>

#include <string>
#include <vector>

#include "debug_output.h"

typedef std::vector<std::string> Lines;

class DebugLines {
public:
    explicit DebugLines(HMODULE module = GetModuleHandleA(nullptr)) {
        hooked = output_.watch(module, [this](const std::string &line) { lines_.push_back(line); });
    }

    // The lines since the last look.
    Lines take() {
        Lines seen;
        seen.swap(lines_);
        return seen;
    }

    bool hooked = false;  // false when the module imports no OutputDebugStringA

private:
    Lines lines_;
    bench::DebugOutput output_;
};

#endif
