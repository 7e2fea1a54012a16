// The module's sound library: sound tables whose rows name wave resources of
// the module, each row's sound a set of DirectSound buffers holding the same
// wave. Buffers are made and filled when the table opens; playing allocates
// nothing and reads no resource. One thread; nothing is locked.
#ifndef SOUND_LIBRARY_H
#define SOUND_LIBRARY_H

#include "sound_device.h"

#define SOUND_NAME_SIZE 32  // a resource name of at most 31 characters and its NUL

struct SoundObject;

// One row of a sound table; a table is an array of row pointers ended by null.
struct SoundEntry {
    char resource_name[SOUND_NAME_SIZE];  // RT_RCDATA resource holding the RIFF WAVE image
    SoundObject *sound;  // written by the library: the row's sound while the table is open, or null
};

// One playable sound: a single zero-filled LocalAlloc block of four header
// fields and buffer_count slots, followed by the library's own record of the
// object (sound_object.cpp).
struct SoundObject {
    const uint8_t *wave_data;  // the "data" payload inside the module's resource; not owned
    uint32_t wave_size;        // its number of sample bytes
    int32_t buffer_count;      // number of slots; at least 1
    int32_t current_buffer;    // the slot the next play tries first; below buffer_count
    IDirectSoundBuffer *buffers[1];  // buffer_count slots, each one reference or null
};

// The module whose resources every lookup searches; set by sound_table_open.
extern HMODULE sound_resource_module;
// The open sound device; null while the table is closed or failed to open.
extern SoundDevice sound_table_device;

// Table operations.
void sound_table_open(SoundEntry **table, HMODULE module);
void sound_table_close(SoundEntry **table);

// Entry operations, on rows of an open table; a row's sound may be null.
int sound_entry_play(SoundEntry *entry, uint32_t flags);  // flags 0 or DSBPLAY_LOOPING
int sound_entry_stop(SoundEntry *entry);
void sound_entry_set_pan(SoundEntry *entry, int32_t pan);
void sound_entry_set_volume(SoundEntry *entry, int32_t volume);
void sound_entry_set_frequency(SoundEntry *entry, uint32_t frequency);

// Object operations.
SoundObject *sound_object_create(SoundDevice device, const char *name, int32_t count);
void sound_object_destroy(SoundObject *object);
int sound_object_play(SoundObject *object, uint32_t flags);
int sound_object_stop(SoundObject *object);
// The buffer the next play or setting should use, readied for it; the object keeps it.
IDirectSoundBuffer *sound_object_next_buffer(SoundObject *object);
// Whether the slots holding `buffer` must fill it again before its next use
// (`pending` 1) or not; for a buffer that sound_buffer_reload restored.
void sound_object_mark_refill(IDirectSoundBuffer *buffer, int pending);

// Buffer operations.
IDirectSoundBuffer *sound_buffer_create(SoundDevice device, const char *name);
int sound_buffer_fill(IDirectSoundBuffer *buffer, const uint8_t *data, uint32_t size);
int sound_buffer_reload(IDirectSoundBuffer *buffer, const char *name);

#endif
