#include "sound_recorder.h"

#include <algorithm>

#include "sound_wrappers.h"

#if defined(_MSC_VER)
#include <intrin.h>
#define CALLER_ADDRESS() _ReturnAddress()
#else
#define CALLER_ADDRESS() __builtin_return_address(0)
#endif

namespace {

// Every recorder that hooks its module, the latest last.
std::vector<SoundRecorder *> recorders;
decltype(&DirectSoundCreate) real_direct_sound_create = nullptr;

// The recorder of the module that holds `code`; the latest one when that
// module has none.
SoundRecorder *recorder_of_caller(const void *code) {
    HMODULE module = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(code), &module)) {
        if (SoundRecorder *recorder = SoundRecorder::of_module(module))
            return recorder;
    }
    return SoundRecorder::active();
}

HRESULT WINAPI recording_direct_sound_create(LPCGUID device_id, LPDIRECTSOUND *out, LPUNKNOWN outer) {
    SoundRecorder *recorder = recorder_of_caller(CALLER_ADDRESS());
    *out = nullptr;
    if (recorder == nullptr)
        return DSERR_NODRIVER;
    if (recorder->fail_device_creation) {
        recorder->note({"DirectSoundCreate", DSERR_NODRIVER});
        return DSERR_NODRIVER;
    }
    IDirectSound *real = nullptr;
    HRESULT result = recorder->device_source ? recorder->device_source(device_id, &real, outer)
                                             : real_direct_sound_create(device_id, &real, outer);
    if (FAILED(result)) {
        recorder->note({"DirectSoundCreate", result});
        return result;
    }
    recorder->devices.push_back(std::make_unique<RecordedDevice>());
    RecordedDevice *device = recorder->devices.back().get();
    *out = wrap_sound_device(real, device, recorder);
    recorder->note({"DirectSoundCreate", result, device});
    return result;
}

}  // namespace

SoundRecorder::SoundRecorder(HMODULE gauge)
    : module_(gauge),
      patch_(gauge, "dsound.dll", "DirectSoundCreate",
             reinterpret_cast<const void *>(&recording_direct_sound_create)) {
    if (patch_.original() != nullptr)
        real_direct_sound_create = reinterpret_cast<decltype(&DirectSoundCreate)>(
            reinterpret_cast<void (*)()>(patch_.original()));
    if (hooked())
        recorders.push_back(this);
}

SoundRecorder::~SoundRecorder() {
    recorders.erase(std::remove(recorders.begin(), recorders.end(), this), recorders.end());
}

void SoundRecorder::note(const SoundCall &call) {
    calls.push_back(call.name);
    if (observer)
        observer(call);
}

SoundRecorder *SoundRecorder::active() { return recorders.empty() ? nullptr : recorders.back(); }

SoundRecorder *SoundRecorder::of_module(HMODULE module) {
    for (SoundRecorder *recorder : recorders)
        if (recorder->module_ == module)
            return recorder;
    return nullptr;
}

int SoundRecorder::live_references() const {
    int live = 0;
    for (const auto &device : devices)
        live += device->references;
    for (const auto &buffer : buffers)
        live += buffer->references + buffer->references_3d;
    return live;
}
