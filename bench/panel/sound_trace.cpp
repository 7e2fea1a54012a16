#include "sound_trace.h"

namespace bench {

std::string hresult(HRESULT result) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

namespace {

std::string buffer_name(int number, DWORD bytes) {
    return "buffer " + std::to_string(number) + " (" + std::to_string(bytes) + " bytes)";
}

std::string times(int count) { return count == 1 ? "" : ", " + std::to_string(count) + " times"; }

}  // namespace

std::string describe_format(const WAVEFORMATEX &format) {
    std::string text = std::to_string(format.nSamplesPerSec) + " Hz, " +
                       std::to_string(format.wBitsPerSample) + "-bit, ";
    text += format.nChannels == 1   ? "mono"
            : format.nChannels == 2 ? "stereo"
                                    : std::to_string(format.nChannels) + " channels";
    if (format.wFormatTag != WAVE_FORMAT_PCM)
        text += ", format tag " + std::to_string(format.wFormatTag);
    return text;
}

void SoundTrace::watch(HMODULE module, const std::string &label) {
    auto watched = std::make_unique<Watched>();
    watched->label = label;
    watched->recorder = std::make_unique<SoundRecorder>(module);
    if (!watched->recorder->hooked())
        return;  // the file imports no DirectSoundCreate: it makes no sound to watch
    Watched *target = watched.get();
    watched->recorder->observer = [this, target](const SoundCall &call) { heard(*target, call); };
    watched_.push_back(std::move(watched));
}

void SoundTrace::heard(Watched &watched, const SoundCall &call) {
    const std::string name = call.name;
    const std::string who = watched.label + ": sound ";
    if (name == "DirectSoundCreate") {
        trace_.line(who + (SUCCEEDED(call.result) ? "device opened"
                                                  : "device not opened (" + hresult(call.result) + ")"));
    } else if (name == "CreateSoundBuffer" || name == "DuplicateSoundBuffer") {
        const bool duplicate = name == "DuplicateSoundBuffer";
        if (call.buffer == nullptr) {
            trace_.line(who + (duplicate ? "buffer not duplicated (" : "buffer not created (") +
                        hresult(call.result) + ")");
            return;
        }
        trace_.line(who + "buffer " + std::to_string(call.buffer->number) +
                    (duplicate ? " duplicated, " : " created, ") + std::to_string(call.buffer->bytes) +
                    " bytes (" + describe_format(call.buffer->format) + ")");
    } else if (FAILED(call.result) && call.buffer != nullptr) {
        trace_.line(who + name + " of " + buffer_name(call.buffer->number, call.buffer->bytes) + " failed (" +
                    hresult(call.result) + ")");
    } else if (FAILED(call.result) && call.device != nullptr) {
        trace_.line(who + name + " failed (" + hresult(call.result) + ")");
    } else if (name == "Play" || name == "Stop" || name == "Restore" || name == "Lock") {
        Tally *tally = nullptr;
        for (Tally &pending : watched.pending)
            if (pending.buffer == call.buffer->number)
                tally = &pending;
        if (tally == nullptr) {
            watched.pending.push_back({call.buffer->number, call.buffer->bytes});
            tally = &watched.pending.back();
        }
        if (name == "Play") {
            ++tally->plays;
            watched.plays.push_back({call.buffer->number, call.buffer->bytes, trace_.tick});
        } else {
            ++(name == "Stop" ? tally->stops : name == "Lock" ? tally->fills : tally->restores);
        }
    } else if (name == "ReleaseBuffer" && call.result == 0) {
        trace_.line(who + "released " + buffer_name(call.buffer->number, call.buffer->bytes));
    } else if (name == "ReleaseDevice" && call.result == 0) {
        trace_.line(who + "released the device");
    }
}

void SoundTrace::flush() {
    for (auto &watched : watched_) {
        for (const Tally &tally : watched->pending) {
            const std::string buffer = buffer_name(tally.buffer, tally.bytes);
            const std::string who = watched->label + ": sound ";
            if (tally.restores > 0)
                trace_.line(who + "restores " + buffer + times(tally.restores));
            if (tally.fills > 0)
                trace_.line(who + "fills " + buffer + times(tally.fills));
            if (tally.plays > 0)
                trace_.line(who + "plays " + buffer + times(tally.plays));
            if (tally.stops > 0)
                trace_.line(who + "stops " + buffer + times(tally.stops));
        }
        watched->pending.clear();
    }
}

void SoundTrace::check_released() {
    flush();
    for (auto &watched : watched_) {
        int devices = 0, buffers = 0;
        for (const auto &device : watched->recorder->devices)
            devices += device->references;
        for (const auto &buffer : watched->recorder->buffers)
            buffers += buffer->references + buffer->references_3d;
        if (devices + buffers == 0)
            continue;
        trace_.line(watched->label + ": warning: after kill the gauge still holds " +
                    std::to_string(devices) + " device and " + std::to_string(buffers) +
                    " buffer references");
    }
}

SoundTrace::Watched *SoundTrace::find(HMODULE module) const {
    for (const auto &watched : watched_)
        if (watched->recorder->module() == module)
            return watched.get();
    return nullptr;
}

const SoundPlay *SoundTrace::match_play(HMODULE module, DWORD bytes) {
    Watched *watched = find(module);
    if (watched == nullptr)
        return nullptr;
    for (size_t index = watched->matched; index < watched->plays.size(); ++index)
        if (watched->plays[index].bytes == bytes) {
            watched->matched = index + 1;
            return &watched->plays[index];
        }
    return nullptr;
}

std::vector<SoundPlay> SoundTrace::unmatched_plays(HMODULE module) const {
    Watched *watched = find(module);
    if (watched == nullptr)
        return {};
    return std::vector<SoundPlay>(watched->plays.begin() + watched->matched, watched->plays.end());
}

}  // namespace bench
