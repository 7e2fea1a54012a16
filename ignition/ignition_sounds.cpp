// Loading, playing and releasing the ignition gauge's sounds. Nothing is
// reported: a sound that fails to load stays silent and the gauge works on.
#include "ignition_sounds.h"

#include <string.h>

SoundDevice ignition_sound_device = NULL;
IgnitionSound ignition_starter_sound;
IgnitionSound ignition_stop_sound;

// Opens the device on the host's main window and loads both sounds; the stop
// sound is loaded whatever became of the starter sound.
void ignition_sounds_open(void) {
    HWND host_window = FindWindowA(IGNITION_HOST_WINDOW_CLASS, NULL);
    sound_device_create(&ignition_sound_device);
    if (ignition_sound_device == NULL)
        return;
    sound_device_set_cooperative_level(ignition_sound_device, host_window);
    ignition_sound_load(&ignition_starter_sound, IGNITION_STARTER_FILE, IGNITION_STARTER_TENTHS);
    ignition_sound_load(&ignition_stop_sound, IGNITION_STOP_FILE, IGNITION_STOP_TENTHS);
}

// Fills the locked buffer from the file; silence makes up what the data lack.
static void ignition_sound_fill(IgnitionSound *sound, BYTE *part, DWORD length) {
    UINT bytes_read = 0;
    wave_file_read(sound->file, length, part, &sound->data_chunk, &bytes_read);
    const BYTE silence = sound->format->wBitsPerSample == 8 ? 0x80 : 0x00;
    memset(part + bytes_read, silence, length - bytes_read);
}

// Loads the first `tenths` tenths of a second of a PCM file into a new buffer.
void ignition_sound_load(IgnitionSound *sound, const char *path, DWORD tenths) {
    sound->buffer = NULL;
    if (wave_file_open(path, &sound->file, &sound->format, &sound->riff_chunk) != 0)
        return;
    if (sound->format->wFormatTag == WAVE_FORMAT_PCM &&
        wave_file_start_data(sound->file, &sound->data_chunk, &sound->riff_chunk) == 0) {
        // Unsigned 32-bit arithmetic, not adjusted to the block alignment.
        sound->buffer_size = sound->format->nAvgBytesPerSec * tenths / 10;
        SoundBufferDescription description = {SOUND_BUFFER_DESCRIPTION_SIZE,
                                               SOUND_FILE_BUFFER_FLAGS, sound->buffer_size, 0,
                                               sound->format};
        if (sound_device_create_buffer(ignition_sound_device, &description, &sound->buffer) == 0) {
            void *first = NULL, *second = NULL;
            DWORD first_length = 0, second_length = 0;
            if (sound->buffer->Lock(0, sound->buffer_size, &first, &first_length, &second,
                                    &second_length, 0) == 0) {
                if (first_length != 0)
                    ignition_sound_fill(sound, static_cast<BYTE *>(first), first_length);
                // Only the first part is written; a lock is never left held.
                sound->buffer->Unlock(first, first_length, second, 0);
            }
        }
    }
    wave_file_close(&sound->file, &sound->format);
}

// Starts a sound from its beginning unless it is playing already.
void ignition_sound_play(IgnitionSound *sound) {
    if (sound->buffer == NULL)
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
