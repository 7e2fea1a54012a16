// Stands between a loaded gauge file and Wine's real DirectSound. The gauge's
// import of DirectSoundCreate is redirected to the recorder, which creates the
// real device and hands the gauge forwarding wrappers, so that tests see every
// device and buffer call and the references the gauge still holds.
#ifndef SOUND_RECORDER_H
#define SOUND_RECORDER_H

#include <windows.h>

#include <mmsystem.h>
#include <dsound.h>

#include <memory>
#include <string>
#include <vector>

#include "import_patch.h"

// What happened to one buffer the gauge was given.
struct RecordedBuffer {
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

class SoundRecorder {
public:
    // Redirects `gauge`'s DirectSoundCreate; undone when the recorder goes.
    explicit SoundRecorder(HMODULE gauge);
    ~SoundRecorder();
    SoundRecorder(const SoundRecorder &) = delete;
    SoundRecorder &operator=(const SoundRecorder &) = delete;

    bool hooked() const { return patch_.replaced() > 0; }
    // Makes the next device creations fail, as on a machine without sound.
    bool fail_device_creation = false;

    std::vector<std::unique_ptr<RecordedDevice>> devices;
    std::vector<std::unique_ptr<RecordedBuffer>> buffers;
    std::vector<std::string> calls;  // "CreateSoundBuffer", "Play", ... in order

    // References of devices, buffers and 3D interfaces the gauge holds.
    int live_references() const;
    // Drops the records of devices and buffers the gauge no longer holds, and
    // the calls seen so far, so that long runs keep the recorder's memory flat.
    void forget_released();

    static SoundRecorder *active();

private:
    ImportPatch patch_;
};

#endif
