// Opening and closing a sound table: the device and one sound per row.
#include "sound_library.h"

#include "sound_report.h"

HMODULE sound_resource_module = nullptr;
SoundDevice sound_table_device = nullptr;

void sound_table_open(SoundEntry **table, HMODULE module) {
    sound_resource_module = module;
    HRESULT result = sound_device_create(&sound_table_device);
    if (FAILED(result)) {
        sound_report_code("sound device", "not opened", result);
        return;
    }
    result = sound_device_set_cooperative_level(sound_table_device, GetActiveWindow());
    if (FAILED(result)) {
        sound_report_code("sound device", "cooperative level refused, device released", result);
        sound_device_release(&sound_table_device);
        return;
    }
    // A row whose sound cannot be made keeps a null sound and stays silent.
    for (SoundEntry **row = table; *row != nullptr; ++row)
        (*row)->sound = sound_object_create(sound_table_device, (*row)->resource_name, 1);
}

void sound_table_close(SoundEntry **table) {
    if (sound_table_device == nullptr)
        return;
    for (SoundEntry **row = table; *row != nullptr; ++row) {
        sound_object_destroy((*row)->sound);
        (*row)->sound = nullptr;
    }
    // Every buffer is released before the device.
    sound_device_release(&sound_table_device);
}
