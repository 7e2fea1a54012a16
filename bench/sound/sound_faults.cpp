#include "sound_faults.h"

#include <mmsystem.h>
#include <dsound.h>

namespace bench {

namespace {

// Every device and buffer operation the gauges call and a fault can stand in for.
const char *const OPERATIONS[] = {
    "SetCooperativeLevel", "CreateSoundBuffer", "DuplicateSoundBuffer", "QueryInterface",
    "GetStatus", "Play", "Stop", "SetCurrentPosition", "Lock", "Unlock", "Restore",
    "SetVolume", "SetPan", "SetFrequency",
};

}  // namespace

std::string SoundFaults::operation_names() {
    std::string names;
    for (const char *name : OPERATIONS)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

bool SoundFaults::is_operation(const std::string &name) {
    for (const char *known : OPERATIONS)
        if (name == known)
            return true;
    return false;
}

HRESULT SoundFaults::default_failure(const std::string &name) {
    if (name == "CreateSoundBuffer" || name == "DuplicateSoundBuffer")
        return DSERR_OUTOFMEMORY;
    if (name == "QueryInterface")
        return E_NOINTERFACE;
    return DSERR_GENERIC;
}

bool SoundFaults::take(const std::string &operation, HRESULT &failure) {
    auto pending = pending_.find(operation);
    if (pending == pending_.end())
        return false;
    failure = pending->second;
    pending_.erase(pending);
    return true;
}

}  // namespace bench
