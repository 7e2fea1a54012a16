// Stands between a loaded gauge file and the real DirectSound. The gauge's
// import of DirectSoundCreate is redirected to the recorder, which creates the
// real device and hands the gauge forwarding wrappers, so that tests and the
// bench see every device and buffer call and the references the gauge still
// holds. Each gauge module may have a recorder of its own at the same time.
#ifndef SOUND_RECORDER_H
#define SOUND_RECORDER_H

#include <windows.h>

#include <mmsystem.h>
#include <dsound.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import_patch.h"

// What happened to one buffer the gauge was given.
struct RecordedBuffer {
    int number = 0;           // 1 for the first buffer the recorder saw, and so on
    DSBUFFERDESC1 description = {};  // as CreateSoundBuffer received it (a duplicate's is empty)
    DWORD flags = 0;
    DWORD bytes = 0;
    WAVEFORMATEX format = {};
    bool duplicate = false;
    int references = 0;       // held by the gauge
    int references_3d = 0;    // 3D interfaces of it held by the gauge
    int status_queries = 0;
    int plays = 0;
    int stops = 0;
    int rewinds = 0;          // SetCurrentPosition calls
    int locks = 0;
    int restores = 0;
    DWORD last_play_flags = 0;
    IDirectSoundBuffer *real = nullptr;  // valid while the gauge holds it
};

struct RecordedDevice {
    int references = 0;  // held by the gauge
    HWND cooperative_window = nullptr;
    DWORD cooperative_level = 0;
};

// One call the gauge made, as the observer hears it once it returned.
struct SoundCall {
    const char *name;                       // as in SoundRecorder::calls
    HRESULT result;                         // what it returned; for a Release, the references left
    const RecordedDevice *device = nullptr; // the device called or created
    const RecordedBuffer *buffer = nullptr; // the buffer called or created
};

class SoundRecorder {
public:
    // Redirects `gauge`'s DirectSoundCreate; undone when the recorder goes.
    // The recorder must outlive the device and buffers the gauge is given.
    // A second recorder for a module that has one hooks nothing.
    explicit SoundRecorder(HMODULE gauge);
    ~SoundRecorder();
    SoundRecorder(const SoundRecorder &) = delete;
    SoundRecorder &operator=(const SoundRecorder &) = delete;

    bool hooked() const { return patch_.replaced() > 0; }
    // Makes the device the gauge's DirectSoundCreate wraps; left empty, the
    // machine's own DirectSound does.
    std::function<HRESULT(LPCGUID device_id, IDirectSound **device, IUnknown *outer)> device_source;
    // Makes the next device creations fail, as on a machine without sound.
    bool fail_device_creation = false;

    std::vector<std::unique_ptr<RecordedDevice>> devices;
    std::vector<std::unique_ptr<RecordedBuffer>> buffers;
    std::vector<std::string> calls;  // "CreateSoundBuffer", "Play", ... in order
    // Told of every call after `calls` holds it; may stay empty.
    std::function<void(const SoundCall &)> observer;

    HMODULE module() const { return module_; }
    // Records a call; the wrappers it hands out call it.
    void note(const SoundCall &call);

    // References of devices, buffers and 3D interfaces the gauge holds.
    int live_references() const;
    // Drops the records of devices and buffers the gauge no longer holds, and
    // the calls seen so far, so that long runs keep the recorder's memory flat.
    void forget_released();

    // The recorder made last of those that still hook their module.
    static SoundRecorder *active();
    // The recorder of `module`, or null.
    static SoundRecorder *of_module(HMODULE module);

private:
    HMODULE module_;
    ImportPatch patch_;
};

#endif
