// Faults a scenario asks of one gauge file's sound device: the next call of a
// named DirectSound operation answers a failure instead of doing its work.
#ifndef BENCH_SOUND_FAULTS_H
#define BENCH_SOUND_FAULTS_H

#include <windows.h>

#include <map>
#include <string>

namespace bench {

class SoundFaults {
public:
    // The operations a fault can be asked for, comma-separated, for messages.
    static std::string operation_names();
    // Whether `name` is one of them (as the gauges call it: "Lock", "Play", ...).
    static bool is_operation(const std::string &name);
    // The failure an operation answers unless the scenario names one.
    static HRESULT default_failure(const std::string &name);

    // The next call of `operation` answers `failure`.
    void fail_next(const std::string &operation, HRESULT failure) { pending_[operation] = failure; }
    // For a call of `operation` about to run: true, with the failure it must
    // answer, when one was asked for; the fault is then spent.
    bool take(const std::string &operation, HRESULT &failure);

private:
    std::map<std::string, HRESULT> pending_;
};

}  // namespace bench

#endif
