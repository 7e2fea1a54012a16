// Sound objects: one LocalAlloc block holding a sound's buffers, and the
// choice of the buffer each play uses.
#include "sound_library.h"

#include "sound_report.h"
#include "wave_resource.h"

// What the library keeps behind an object's slots, in the same block, unseen
// by callers.
struct SoundObjectTail {
    SoundObject *next_object;  // the next live object, or null
    uint8_t refill[1];         // per slot: 1 while its buffer is restored but not yet filled again
};

// Every object made and not yet destroyed, latest first.
static SoundObject *sound_live_objects = nullptr;

static SoundObjectTail *sound_object_tail(SoundObject *object) {
    return reinterpret_cast<SoundObjectTail *>(&object->buffers[object->buffer_count]);
}

// The block's size for `count` slots, or 0 when it cannot be expressed.
static size_t sound_object_block_size(int32_t count) {
    const size_t header = offsetof(SoundObject, buffers) + offsetof(SoundObjectTail, refill);
    const size_t slot = sizeof(IDirectSoundBuffer *) + sizeof(uint8_t);
    if (size_t(count) > (SIZE_MAX - header) / slot)
        return 0;
    return header + size_t(count) * slot;
}

SoundObject *sound_object_create(SoundDevice device, const char *name, int32_t count) {
    const WAVEFORMATEX *format;
    const uint8_t *data;
    uint32_t size;
    // Empty results still make an object; it stays silent.
    if (!wave_resource_find(sound_resource_module, name, &format, &data, &size)) {
        sound_report(name, "no such RCDATA resource");
        return nullptr;
    }
    if (count < 1)
        count = 1;

    const size_t block_size = sound_object_block_size(count);
    SoundObject *object =
        block_size != 0 ? static_cast<SoundObject *>(LocalAlloc(LPTR, block_size)) : nullptr;
    if (object == nullptr) {
        sound_report(name, "no memory for its sound object");
        return nullptr;
    }
    object->buffer_count = count;
    object->wave_data = data;
    object->wave_size = size;

    // A failed first buffer leaves slot 0 empty; the object is still made.
    object->buffers[0] = sound_buffer_create(device, name);
    // The other slots share slot 0's sound data; where that fails, a buffer of their own.
    for (int32_t slot = 1; slot < count; ++slot) {
        if (object->buffers[0] != nullptr) {
            const HRESULT duplicated =
                device->DuplicateSoundBuffer(object->buffers[0], &object->buffers[slot]);
            if (SUCCEEDED(duplicated))
                continue;
            sound_report_code(name, "buffer not duplicated, made afresh", duplicated);
        }
        object->buffers[slot] = sound_buffer_create(device, name);
        if (object->buffers[slot] == nullptr) {
            sound_report(name, "a further buffer not made, sound object given up");
            sound_object_destroy(object);
            return nullptr;
        }
    }
    sound_object_tail(object)->next_object = sound_live_objects;
    sound_live_objects = object;
    return object;
}

void sound_object_destroy(SoundObject *object) {
    if (object == nullptr)
        return;
    for (SoundObject **link = &sound_live_objects; *link != nullptr;
         link = &sound_object_tail(*link)->next_object) {
        if (*link == object) {
            *link = sound_object_tail(object)->next_object;
            break;
        }
    }
    for (int32_t slot = 0; slot < object->buffer_count; ++slot)
        sound_device_release_buffer(&object->buffers[slot]);
    LocalFree(object);
}

void sound_object_mark_refill(IDirectSoundBuffer *buffer, int pending) {
    for (SoundObject *object = sound_live_objects; object != nullptr;
         object = sound_object_tail(object)->next_object) {
        for (int32_t slot = 0; slot < object->buffer_count; ++slot)
            if (object->buffers[slot] == buffer)
                sound_object_tail(object)->refill[slot] = pending ? 1 : 0;
    }
}

// A status query that fails reads as neither playing nor lost.
static DWORD sound_buffer_status(IDirectSoundBuffer *buffer) {
    DWORD status = 0;
    if (FAILED(buffer->GetStatus(&status)))
        return 0;
    return status;
}

IDirectSoundBuffer *sound_object_next_buffer(SoundObject *object) {
    if (object == nullptr)
        return nullptr;
    IDirectSoundBuffer *buffer = object->buffers[object->current_buffer];
    if (buffer == nullptr)
        return nullptr;
    DWORD status = sound_buffer_status(buffer);

    if (status & DSBSTATUS_PLAYING) {
        // A single busy buffer is neither restarted nor interrupted.
        if (object->buffer_count <= 1)
            return nullptr;
        // One slot on per call: when every buffer is busy, the next one starts over.
        object->current_buffer += 1;
        if (object->current_buffer >= object->buffer_count)
            object->current_buffer = 0;
        buffer = object->buffers[object->current_buffer];
        if (buffer == nullptr)
            return nullptr;
        status = sound_buffer_status(buffer);
        if (status & DSBSTATUS_PLAYING) {
            buffer->Stop();
            buffer->SetCurrentPosition(0);
        }
    }

    // The device took the buffer's memory: restore it, then write the sound again.
    uint8_t &refill = sound_object_tail(object)->refill[object->current_buffer];
    if (status & DSBSTATUS_BUFFERLOST) {
        const HRESULT restored = buffer->Restore();
        if (FAILED(restored)) {
            sound_report_code("sound buffer", "lost and not restored", restored);
            return nullptr;
        }
        refill = 1;
    }
    // Restored, the buffer no longer reports lost; it holds its sound only once filled.
    if (refill) {
        if (!sound_buffer_fill(buffer, object->wave_data, object->wave_size))
            return nullptr;
        refill = 0;
    }
    return buffer;
}

int sound_object_play(SoundObject *object, uint32_t flags) {
    if (object == nullptr)
        return 0;
    // Only a sound of one buffer may loop: another start would need a second one.
    if ((flags & DSBPLAY_LOOPING) && object->buffer_count != 1)
        return 0;
    IDirectSoundBuffer *buffer = sound_object_next_buffer(object);
    if (buffer == nullptr)
        return 0;
    return SUCCEEDED(buffer->Play(0, 0, flags)) ? 1 : 0;
}

int sound_object_stop(SoundObject *object) {
    if (object == nullptr)
        return 0;
    for (int32_t slot = 0; slot < object->buffer_count; ++slot) {
        IDirectSoundBuffer *buffer = object->buffers[slot];
        if (buffer == nullptr)
            continue;
        buffer->Stop();
        buffer->SetCurrentPosition(0);
    }
    return 1;
}
