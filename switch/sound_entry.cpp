// Playing, stopping and setting a table row's sound. The setters act on the
// buffer the next play would use, brought into the device's ranges.
#include "sound_library.h"

int sound_entry_play(SoundEntry *entry, uint32_t flags) {
    return sound_object_play(entry->sound, flags);
}

int sound_entry_stop(SoundEntry *entry) { return sound_object_stop(entry->sound); }

void sound_entry_set_pan(SoundEntry *entry, int32_t pan) {
    IDirectSoundBuffer *buffer = sound_object_next_buffer(entry->sound);
    if (buffer == nullptr)
        return;
    if (pan > SOUND_PAN_RIGHT)
        pan = SOUND_PAN_RIGHT;
    if (pan < SOUND_PAN_LEFT)
        pan = SOUND_PAN_LEFT;
    buffer->SetPan(pan);
}

void sound_entry_set_volume(SoundEntry *entry, int32_t volume) {
    IDirectSoundBuffer *buffer = sound_object_next_buffer(entry->sound);
    if (buffer == nullptr)
        return;
    if (volume > SOUND_VOLUME_MAX)
        volume = SOUND_VOLUME_MAX;
    if (volume < SOUND_VOLUME_MIN)
        volume = SOUND_VOLUME_MIN;
    buffer->SetVolume(volume);
}

void sound_entry_set_frequency(SoundEntry *entry, uint32_t frequency) {
    IDirectSoundBuffer *buffer = sound_object_next_buffer(entry->sound);
    if (buffer == nullptr)
        return;
    if (frequency > SOUND_FREQUENCY_MAX)
        frequency = SOUND_FREQUENCY_MAX;
    if (frequency < SOUND_FREQUENCY_MIN)
        frequency = SOUND_FREQUENCY_MIN;
    buffer->SetFrequency(frequency);
}
