#include "sound_commands.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

std::string hresult(HRESULT result) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// The gauge's file module, whose sound the bench's own device plays; null with the reason.
HMODULE sound_module(Panel &panel, const std::string &command, const std::string &name, std::string &error) {
    if (panel.sound_clock() == nullptr) {
        error = command + " needs the bench's own sound device (not with --window or --real-sound)";
        return nullptr;
    }
    PlacedGauge *gauge = panel.find(name);
    if (gauge == nullptr) {
        error = "no gauge \"" + name + "\" on the panel";
        return nullptr;
    }
    if (!panel.sound().watches(gauge->file->module())) {
        error = name + "'s gauge file imports no DirectSoundCreate";
        return nullptr;
    }
    return gauge->file->module();
}

}  // namespace

bool sound_fault_command(Panel &panel, Trace &trace, const std::vector<std::string> &words, std::string &error) {
    const std::string &command = words[0];
    const size_t count = words.size() - 1;
    error.clear();
    if (command == "lose-sound") {
        if (count != 1) {
            error = "usage: lose-sound GAUGE";
            return true;
        }
        const HMODULE module = sound_module(panel, command, words[1], error);
        if (module == nullptr)
            return true;
        const int lost = panel.sound_clock()->lose_buffers(module);
        trace.line(words[1] + ": sound buffers lost (" + std::to_string(lost) + ")");
        return true;
    }
    if (command == "fail-sound") {
        if (count < 2 || count > 3 || !SoundFaults::is_operation(words[2])) {
            error = "usage: fail-sound GAUGE OPERATION [CODE], OPERATION one of " + SoundFaults::operation_names();
            return true;
        }
        HRESULT failure = SoundFaults::default_failure(words[2]);
        if (count == 3) {
            char *end = nullptr;
            const unsigned long code = std::strtoul(words[3].c_str(), &end, 0);
            if (*end != 0 || words[3].empty()) {
                error = "\"" + words[3] + "\" is no result code (e.g. 0x88780096)";
                return true;
            }
            failure = static_cast<HRESULT>(code);
        }
        const HMODULE module = sound_module(panel, command, words[1], error);
        if (module == nullptr)
            return true;
        panel.sound_clock()->faults(module).fail_next(words[2], failure);
        trace.line(words[1] + ": sound's next " + words[2] + " fails (" + hresult(failure) + ")");
        return true;
    }
    return false;
}

}  // namespace bench
