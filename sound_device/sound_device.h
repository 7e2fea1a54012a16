// The DirectSound operations the gauge modules play their sounds with: the
// values they pass, the 20-byte buffer description, and small helpers over
// the device's own calls. Both modules build in their own copy.
#ifndef SOUND_DEVICE_H
#define SOUND_DEVICE_H

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <stddef.h>
#include <stdint.h>

// A module's sound device.
typedef IDirectSound *SoundDevice;

// Capability flags of the buffers the switch module makes from its resources:
// DSBCAPS_STATIC, CTRL3D, CTRLFREQUENCY, CTRLPAN, CTRLVOLUME, GETCURRENTPOSITION2.
#define SOUND_RESOURCE_BUFFER_FLAGS 0x000100F2u
// Capability flags of the ignition module's buffers: CTRLFREQUENCY, CTRLPAN, CTRLVOLUME.
#define SOUND_FILE_BUFFER_FLAGS 0x000000E0u

static_assert(SOUND_RESOURCE_BUFFER_FLAGS ==
                  (DSBCAPS_STATIC | DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN |
                   DSBCAPS_CTRLVOLUME | DSBCAPS_GETCURRENTPOSITION2),
              "resource buffer flags");
static_assert(SOUND_FILE_BUFFER_FLAGS ==
                  (DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME),
              "file buffer flags");
static_assert(DSSCL_NORMAL == 1 && DSBSTATUS_PLAYING == 1 && DSBSTATUS_BUFFERLOST == 2 &&
                  DSBPLAY_LOOPING == 1,
              "the device's codes as the modules pass and read them");

// What the buffer setters accept.
#define SOUND_PAN_LEFT (-10000)
#define SOUND_PAN_RIGHT 10000
#define SOUND_VOLUME_MIN (-10000)  // hundredths of a decibel of attenuation
#define SOUND_VOLUME_MAX 0
#define SOUND_FREQUENCY_MIN 100u   // hertz
#define SOUND_FREQUENCY_MAX 100000u

// The buffer description of the first DirectSound versions (20 bytes); the
// device takes its size field as the version of the record.
struct SoundBufferDescription {
    uint32_t size;                 // SOUND_BUFFER_DESCRIPTION_SIZE
    uint32_t flags;                // capability flags
    uint32_t buffer_bytes;         // buffer length in bytes
    uint32_t reserved;             // 0
    const WAVEFORMATEX *format;    // the sound's format block; the device copies it
};
#define SOUND_BUFFER_DESCRIPTION_SIZE 20u

static_assert(sizeof(SoundBufferDescription) == SOUND_BUFFER_DESCRIPTION_SIZE,
              "the description is 20 bytes");
static_assert(offsetof(SoundBufferDescription, buffer_bytes) ==
                      offsetof(DSBUFFERDESC1, dwBufferBytes) &&
                  offsetof(SoundBufferDescription, format) == offsetof(DSBUFFERDESC1, lpwfxFormat),
              "laid out as the device's first description record");

// Opens the default sound device into `device`; null there on failure.
HRESULT sound_device_create(SoundDevice *device);

// Sets the normal cooperative level (DSSCL_NORMAL) for `window`, which may be null.
HRESULT sound_device_set_cooperative_level(SoundDevice device, HWND window);

// Creates a buffer from `description` into `buffer`; null there on failure.
HRESULT sound_device_create_buffer(SoundDevice device, const SoundBufferDescription *description,
                                   IDirectSoundBuffer **buffer);

// Releases the device, if there is one, and empties `device`.
void sound_device_release(SoundDevice *device);

// Releases the buffer, if there is one, and empties `buffer`.
void sound_device_release_buffer(IDirectSoundBuffer **buffer);

#endif
