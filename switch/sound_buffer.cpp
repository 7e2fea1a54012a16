// Buffers made from the module's wave resources, and writing their bytes.
#include "sound_library.h"

#include <string.h>

#include "sound_report.h"
#include "wave_resource.h"

// Why a lookup left the format or the length empty.
static const char *sound_buffer_wave_fault(const char *name, const SoundBufferDescription &found) {
    if (!wave_resource_is_riff_wave(sound_resource_module, name))
        return "not a RIFF WAVE image";
    if (found.format == nullptr)
        return "no whole \"fmt \" chunk";
    return "no sound data: \"data\" chunk missing, cut short or empty";
}

IDirectSoundBuffer *sound_buffer_create(SoundDevice device, const char *name) {
    SoundBufferDescription description = {};
    const uint8_t *data;
    if (!wave_resource_find(sound_resource_module, name, &description.format, &data,
                            &description.buffer_bytes)) {
        sound_report(name, "no such RCDATA resource");
        return nullptr;
    }
    description.size = SOUND_BUFFER_DESCRIPTION_SIZE;
    description.flags = SOUND_RESOURCE_BUFFER_FLAGS;

    // The format block is used in place; the device refuses a null one or a length of 0.
    if (description.format == nullptr || description.buffer_bytes == 0)
        sound_report(name, sound_buffer_wave_fault(name, description));
    IDirectSoundBuffer *buffer;
    const HRESULT created = sound_device_create_buffer(device, &description, &buffer);
    if (FAILED(created)) {
        sound_report_code(name, "buffer not created", created);
        return nullptr;
    }
    if (!sound_buffer_fill(buffer, data, description.buffer_bytes)) {
        sound_report(name, "buffer not filled, released");
        buffer->Release();
        return nullptr;
    }
    // Only a buffer that offers 3D positioning is kept; the interface itself is not used.
    void *positioning = nullptr;
    const HRESULT offered = buffer->QueryInterface(IID_IDirectSound3DBuffer, &positioning);
    if (positioning != nullptr)
        static_cast<IUnknown *>(positioning)->Release();
    if (offered != S_OK) {
        sound_report_code(name, "buffer offers no 3D positioning, released", offered);
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

int sound_buffer_fill(IDirectSoundBuffer *buffer, const uint8_t *data, uint32_t size) {
    if (buffer == nullptr || data == nullptr || size == 0)
        return 0;
    void *first = nullptr;
    void *second = nullptr;
    DWORD first_length = 0;
    DWORD second_length = 0;
    const HRESULT locked = buffer->Lock(0, size, &first, &first_length, &second, &second_length, 0);
    if (FAILED(locked)) {
        sound_report_code("sound buffer", "not locked", locked);
        return 0;
    }
    // The two parts together cover the locked bytes; never copy more than `size` of them.
    const DWORD first_copy = first_length < size ? first_length : size;
    const DWORD second_copy =
        second_length < size - first_copy ? second_length : size - first_copy;
    memcpy(first, data, first_copy);
    if (second_copy != 0)
        memcpy(second, data + first_copy, second_copy);
    buffer->Unlock(first, first_length, second, second_length);
    return 1;
}

int sound_buffer_reload(IDirectSoundBuffer *buffer, const char *name) {
    const uint8_t *data;
    uint32_t size;
    // The format is not asked for, so the "fmt " chunk is not examined.
    if (!wave_resource_find(sound_resource_module, name, nullptr, &data, &size)) {
        sound_report(name, "no such RCDATA resource");
        return 0;
    }
    if (buffer == nullptr)
        return 0;
    // Restored whether or not it was lost; its bytes are written again.
    const HRESULT restored = buffer->Restore();
    if (FAILED(restored)) {
        sound_report_code(name, "buffer not restored", restored);
        return 0;
    }
    // Until it is filled, a slot holding the buffer is filled again before its next use.
    const int filled = sound_buffer_fill(buffer, data, size);
    sound_object_mark_refill(buffer, !filled);
    return filled;
}
