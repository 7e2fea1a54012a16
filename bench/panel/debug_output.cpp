#include "debug_output.h"

#include "module_catches.h"

#if defined(_MSC_VER)
#include <intrin.h>
#define CALLER_ADDRESS() _ReturnAddress()
#else
#define CALLER_ADDRESS() __builtin_return_address(0)
#endif

namespace bench {

namespace {

// Every watched module of every DebugOutput; the patched imports lead here.
ModuleCatches<DebugOutput::Listener> catches;
decltype(&OutputDebugStringA) real_output_debug_string = nullptr;

void WINAPI caught_output_debug_string(LPCSTR text) {
    const DebugOutput::Listener *listener = catches.of_caller(CALLER_ADDRESS());
    // Still a debugger's to see as well.
    if (real_output_debug_string != nullptr)
        real_output_debug_string(text);
    if (text == nullptr || listener == nullptr)
        return;
    for (const std::string &line : debug_output_lines(text))
        (*listener)(line);
}

}  // namespace

std::vector<std::string> debug_output_lines(const char *text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char *at = text;; ++at) {
        if (*at == '\n' || *at == '\r' || *at == '\0') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
            if (*at == '\0')
                break;
        } else {
            line += *at;
        }
    }
    return lines;
}

bool DebugOutput::watch(HMODULE module, Listener listener) {
    if (catches.has(module))
        return false;
    auto watched = std::make_unique<Watched>();
    watched->module = module;
    watched->listener = std::move(listener);
    watched->patch = std::make_unique<ImportPatch>(
        module, "kernel32.dll", "OutputDebugStringA",
        reinterpret_cast<const void *>(&caught_output_debug_string));
    if (watched->patch->replaced() == 0)
        return false;
    // Through a neutral function type: FARPROC's own does not match the routine's.
    real_output_debug_string = reinterpret_cast<decltype(&OutputDebugStringA)>(
        reinterpret_cast<void (*)()>(watched->patch->original()));
    catches.add(module, &watched->listener);
    watched_.push_back(std::move(watched));
    return true;
}

void DebugOutput::clear() {
    for (const auto &watched : watched_)
        catches.remove(watched->module);
    watched_.clear();
}

}  // namespace bench
