// The 3D interface of a buffer on the panel's clock: it keeps the 3D
// parameters set on it and hands them back; the bench's mix is not
// positional, so they change nothing that is heard.
#ifndef BENCH_CLOCK_SOUND_3D_H
#define BENCH_CLOCK_SOUND_3D_H

#include <windows.h>

#include <mmsystem.h>
#include <dsound.h>

namespace bench {

// A new 3D interface of `buffer`, holding a reference to it, with one
// reference of its own.
IDirectSound3DBuffer *create_clock_sound_3d(IDirectSoundBuffer *buffer);

}  // namespace bench

#endif
