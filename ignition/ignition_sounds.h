// The ignition gauge's two sounds, loaded from wave files at install into
// buffers of fixed duration and released at kill.
#ifndef IGNITION_SOUNDS_H
#define IGNITION_SOUNDS_H

#include "sound_device.h"
#include "wave_file.h"

struct IgnitionSound {
    WAVEFORMATEX *format;        // allocated by the reader; exists only while the sound loads
    HMMIO file;                  // open only while the sound loads
    MMCKINFO data_chunk;         // its size counts the data bytes still to read
    MMCKINFO riff_chunk;         // the file's RIFF chunk
    DWORD buffer_size;           // length of the buffer in bytes
    IDirectSoundBuffer *buffer;  // null until created; held from install to kill
};

#define IGNITION_STARTER_FILE "Aircraft\\sound\\kaprelo\\Eg.wav"
#define IGNITION_STOP_FILE "Aircraft\\sound\\kaprelo\\Stop.wav"
#define IGNITION_STARTER_TENTHS 63
#define IGNITION_STOP_TENTHS 32
#define IGNITION_HOST_WINDOW_CLASS "FS98MAIN"

extern SoundDevice ignition_sound_device;
extern IgnitionSound ignition_starter_sound;
extern IgnitionSound ignition_stop_sound;

void ignition_sounds_open(void);
void ignition_sound_load(IgnitionSound *sound, const char *path, DWORD tenths);
void ignition_sound_play(IgnitionSound *sound);
void ignition_sounds_close(void);

#endif
