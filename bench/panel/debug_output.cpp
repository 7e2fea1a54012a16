#include "debug_output.h"

#include <algorithm>

#include "gauge_guard.h"

#if defined(_MSC_VER)
#include <intrin.h>
#define CALLER_ADDRESS() _ReturnAddress()
#else
#define CALLER_ADDRESS() __builtin_return_address(0)
#endif

namespace bench {

namespace {

struct Catch {
    HMODULE module;
    const DebugOutput::Listener *listener;
};

// Every watched module of every DebugOutput; the patched imports lead here.
std::vector<Catch> catches;
decltype(&OutputDebugStringA) real_output_debug_string = nullptr;

void WINAPI caught_output_debug_string(LPCSTR text) {
    HMODULE caller = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCSTR>(CALLER_ADDRESS()), &caller);
    // Still a debugger's to see as well.
    if (real_output_debug_string != nullptr)
        real_output_debug_string(text);
    if (text == nullptr)
        return;
    // A call the gauge ends its routine with may jump here: its return
    // address is then the bench's, and the guarded call tells whose it is.
    for (HMODULE module : {caller, panel_host::module_in_call()})
        for (const Catch &caught : catches)
            if (caught.module == module) {
                for (const std::string &line : debug_output_lines(text))
                    (*caught.listener)(line);
                return;
            }
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
    for (const Catch &caught : catches)
        if (caught.module == module)
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
    catches.push_back({module, &watched->listener});
    watched_.push_back(std::move(watched));
    return true;
}

void DebugOutput::clear() {
    for (const auto &watched : watched_)
        catches.erase(std::remove_if(catches.begin(), catches.end(),
                                     [&](const Catch &caught) {
                                         return caught.module == watched->module;
                                     }),
                      catches.end());
    watched_.clear();
}

}  // namespace bench
