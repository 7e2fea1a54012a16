// Loading, playing and releasing the ignition gauge's sounds. A sound that
// fails to load stays silent and the gauge works on; the debugger is told why.
#include "ignition_sounds.h"

#include <string.h>

#include "sound_report.h"

// In this module every device result but DS_OK (0) is a failure, success codes
// such as S_FALSE included.
static bool ignition_device_refused(HRESULT result) { return result != DS_OK; }

SoundDevice ignition_sound_device = nullptr;
IgnitionSound ignition_starter_sound;
IgnitionSound ignition_stop_sound;

// Opens the device on the host's main window and loads both sounds; the stop
// sound is loaded whatever became of the starter sound.
void ignition_sounds_open(void) {
    HWND host_window = FindWindowA(IGNITION_HOST_WINDOW_CLASS, nullptr);
    const HRESULT created = sound_device_create(&ignition_sound_device);
    if (ignition_sound_device == nullptr) {
        sound_report_code("sound device", "not opened", created);
        return;
    }
    const HRESULT cooperative =
        sound_device_set_cooperative_level(ignition_sound_device, host_window);
    if (ignition_device_refused(cooperative))
        sound_report_code("sound device", "cooperative level refused, loading goes on",
                          cooperative);
    ignition_sound_load(&ignition_starter_sound, IGNITION_STARTER_FILE, IGNITION_STARTER_TENTHS);
    ignition_sound_load(&ignition_stop_sound, IGNITION_STOP_FILE, IGNITION_STOP_TENTHS);
}

// What a failed open of a sound file says about the file.
static const char *ignition_open_fault(MMRESULT result) {
    switch (result) {
    case WAVE_ERR_OPEN:
        return "file not found or not readable";
    case WAVE_ERR_NOT_WAVE:
        return "not a RIFF WAVE file, or its format chunk is short";
    case WAVE_ERR_READ:
        return "format chunk cut short";
    case WAVE_ERR_NOMEM:
        return "no memory for its format block";
    case MMIOERR_CHUNKNOTFOUND:
        return "not a RIFF WAVE file with a \"fmt \" chunk";
    default:
        return "format not read";
    }
}

// Fills the locked buffer from the file; silence makes up what the data lack.
static void ignition_sound_fill(IgnitionSound *sound, const char *path, BYTE *part,
                                DWORD length) {
    UINT bytes_read = 0;
    const MMRESULT result =
        wave_file_read(sound->file, length, part, &sound->data_chunk, &bytes_read);
    if (result != WAVE_OK)
        sound_report_code(path,
                          result == WAVE_ERR_CORRUPT
                              ? "file ends inside its data chunk, silence instead"
                              : "data not read, silence instead",
                          result);
    const BYTE silence = sound->format->wBitsPerSample == 8 ? 0x80 : 0x00;
    memset(part + bytes_read, silence, length - bytes_read);
}

// Creates the sound's buffer of `tenths` tenths of a second and fills it.
static void ignition_sound_make_buffer(IgnitionSound *sound, const char *path, DWORD tenths) {
    // Unsigned 32-bit arithmetic, not adjusted to the block alignment.
    sound->buffer_size = sound->format->nAvgBytesPerSec * tenths / 10;
    SoundBufferDescription description = {SOUND_BUFFER_DESCRIPTION_SIZE, SOUND_FILE_BUFFER_FLAGS,
                                           sound->buffer_size, 0, sound->format};
    const HRESULT created =
        sound_device_create_buffer(ignition_sound_device, &description, &sound->buffer);
    if (ignition_device_refused(created)) {
        // A buffer handed out with a success code other than DS_OK is not kept.
        sound_device_release_buffer(&sound->buffer);
        sound_report_code(path, "buffer not created", created);
        return;
    }
    void *first = nullptr, *second = nullptr;
    DWORD first_length = 0, second_length = 0;
    const HRESULT locked = sound->buffer->Lock(0, sound->buffer_size, &first, &first_length,
                                               &second, &second_length, 0);
    if (ignition_device_refused(locked)) {
        sound_report_code(path, "buffer not locked, left unwritten", locked);
        return;
    }
    if (first_length == 0) {
        sound_report(path, "buffer locked with no bytes, left unwritten");
    } else {
        ignition_sound_fill(sound, path, static_cast<BYTE *>(first), first_length);
    }
    // Only the first part is written; a lock is never left held.
    sound->buffer->Unlock(first, first_length, second, 0);
}

// Loads the first `tenths` tenths of a second of a PCM file into a new buffer.
void ignition_sound_load(IgnitionSound *sound, const char *path, DWORD tenths) {
    sound->buffer = nullptr;
    const MMRESULT opened =
        wave_file_open(path, &sound->file, &sound->format, &sound->riff_chunk);
    if (opened != WAVE_OK) {
        sound_report_code(path, ignition_open_fault(opened), opened);
        return;
    }
    if (sound->format->wFormatTag != WAVE_FORMAT_PCM) {
        sound_report_code(path, "not PCM; its format tag", sound->format->wFormatTag);
    } else {
        const MMRESULT found =
            wave_file_start_data(sound->file, &sound->data_chunk, &sound->riff_chunk);
        if (found != WAVE_OK)
            sound_report_code(path, "no \"data\" chunk", found);
        else
            ignition_sound_make_buffer(sound, path, tenths);
    }
    wave_file_close(&sound->file, &sound->format);
}

// Starts a sound from its beginning unless it is playing already.
void ignition_sound_play(IgnitionSound *sound) {
    if (sound->buffer == nullptr)
        return;
    DWORD status = 0;
    sound->buffer->GetStatus(&status);
    if (status & DSBSTATUS_PLAYING)
        return;
    sound->buffer->SetCurrentPosition(0);
    sound->buffer->Play(0, 0, 0);
}

// Releases both buffers, then the device that made them.
void ignition_sounds_close(void) {
    sound_device_release_buffer(&ignition_starter_sound.buffer);
    sound_device_release_buffer(&ignition_stop_sound.buffer);
    sound_device_release(&ignition_sound_device);
}
