#include "sound_commands.h"

#include <cstdlib>

namespace bench {

namespace {

// The gauge's file module, whose sound the bench's own device plays; null with the reason.
HMODULE sound_module(Panel &panel, const std::string &command, const std::string &name, std::string &error) {
    if (panel.sound_clock() == nullptr) {
        error = command + " needs the bench's own sound device (not with --window or --real-sound)";
        return nullptr;
    }
    PlacedGauge *gauge = panel.find(name);
    if (gauge == nullptr || !gauge->runs()) {
        error = gauge == nullptr ? "no gauge \"" + name + "\" on the panel"
                                 : "\"" + name + "\" (" + gauge->place + ") is a gauge the bench does not run: " +
                                       gauge->not_run;
        return nullptr;
    }
    if (!panel.sound().watches(gauge->file->module())) {
        error = name + "'s gauge file imports no DirectSoundCreate";
        return nullptr;
    }
    return gauge->file->module();
}

// The gauge's module and, for fail-sound, the failure to answer with; null with the reason.
HMODULE read_fault(Panel &panel, const std::vector<std::string> &words, HRESULT &failure, std::string &error) {
    const std::string &command = words[0];
    const size_t count = words.size() - 1;
    error.clear();
    if (command == "lose-sound" && count != 1) {
        error = "usage: lose-sound GAUGE";
        return nullptr;
    }
    if (command == "fail-sound") {
        if (count < 2 || count > 3 || !SoundFaults::is_operation(words[2])) {
            error = "usage: fail-sound GAUGE OPERATION [CODE], OPERATION one of " + SoundFaults::operation_names();
            return nullptr;
        }
        failure = SoundFaults::default_failure(words[2]);
        if (count == 3) {
            char *end = nullptr;
            const unsigned long code = std::strtoul(words[3].c_str(), &end, 0);
            if (*end != 0 || words[3].empty()) {
                error = "\"" + words[3] + "\" is no result code (e.g. 0x88780096)";
                return nullptr;
            }
            failure = static_cast<HRESULT>(code);
        }
    }
    return sound_module(panel, command, words[1], error);
}

}  // namespace

std::string sound_fault_mistake(Panel &panel, const std::vector<std::string> &words) {
    HRESULT failure = 0;
    std::string error;
    read_fault(panel, words, failure, error);
    return error;
}

void run_sound_fault(Panel &panel, Trace &trace, const std::vector<std::string> &words, std::string &error) {
    HRESULT failure = 0;
    const HMODULE module = read_fault(panel, words, failure, error);
    if (module == nullptr)
        return;
    if (words[0] == "lose-sound") {
        const int lost = panel.sound_clock()->lose_buffers(module);
        trace.line(words[1] + ": sound buffers lost (" + std::to_string(lost) + ")");
    } else {
        panel.sound_clock()->faults(module).fail_next(words[2], failure);
        trace.line(words[1] + ": sound's next " + words[2] + " fails (" + hresult(failure) + ")");
    }
}

}  // namespace bench
