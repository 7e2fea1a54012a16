// The forwarding wrappers a SoundRecorder hands a gauge in place of the real
// device and its buffers: each call goes to the real object and is recorded.
#ifndef SOUND_WRAPPERS_H
#define SOUND_WRAPPERS_H

#include "sound_recorder.h"

// Wraps a device just created for the gauge; the wrapper holds `real`'s one
// reference and counts the gauge's own in `record`.
IDirectSound *wrap_sound_device(IDirectSound *real, RecordedDevice *record, SoundRecorder *recorder);

#endif
