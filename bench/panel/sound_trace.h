// The gauges' sound in the bench's trace: a recorder on each gauge file's
// DirectSound, whose calls become trace lines (devices and buffers made and
// released at once; restores, fills, plays and stops summed up until the next
// flush; every failed call at once),
// and the plays that scenarios check.
#ifndef BENCH_SOUND_TRACE_H
#define BENCH_SOUND_TRACE_H

#include <memory>
#include <string>
#include <vector>

#include "sound_recorder.h"
#include "trace.h"

namespace bench {

// A DirectSound result as the trace writes it: 0x88780096.
std::string hresult(HRESULT result);

struct SoundPlay {
    int buffer = 0;  // the buffer's number in its gauge file's trace
    DWORD bytes = 0;
    unsigned long tick = 0;
};

class SoundTrace {
public:
    explicit SoundTrace(Trace &trace) : trace_(trace) {}
    SoundTrace(const SoundTrace &) = delete;
    SoundTrace &operator=(const SoundTrace &) = delete;

    // Watches the sound of a loaded gauge file, if it imports DirectSoundCreate;
    // its lines begin with `label`.
    void watch(HMODULE module, const std::string &label);
    // Writes the plays, stops and restores summed up since the last flush.
    void flush();
    // After the gauges are killed: a warning for every file that still
    // holds device or buffer references.
    void check_released();
    // Stops watching; done before the gauge files unload.
    void clear() { watched_.clear(); }

    // Whether the file's sound is watched.
    bool watches(HMODULE module) const { return find(module) != nullptr; }
    // The file's first play of a buffer of `bytes` bytes since the last
    // match, which it becomes; null when there is none.
    const SoundPlay *match_play(HMODULE module, DWORD bytes);
    // The file's plays since the last match.
    std::vector<SoundPlay> unmatched_plays(HMODULE module) const;

private:
    struct Tally {
        int buffer = 0;
        DWORD bytes = 0;
        int plays = 0, stops = 0, restores = 0, fills = 0;
    };
    struct Watched {
        std::string label;
        std::unique_ptr<SoundRecorder> recorder;
        std::vector<SoundPlay> plays;
        size_t matched = 0;  // plays before this index are matched
        std::vector<Tally> pending;  // since the last flush, in the order first seen
    };
    void heard(Watched &watched, const SoundCall &call);
    Watched *find(HMODULE module) const;

    Trace &trace_;
    std::vector<std::unique_ptr<Watched>> watched_;
};

// "22050 Hz, 16-bit, mono", as the trace describes a buffer's format.
std::string describe_format(const WAVEFORMATEX &format);

}  // namespace bench

#endif
