// Finds a RIFF WAVE image among a module's raw-data resources and parses it
// in place: the results point into the module's mapped resource.
#ifndef WAVE_RESOURCE_H
#define WAVE_RESOURCE_H

#include <windows.h>

#include "wave_parse.h"

// The resource type the sounds are stored under (RT_RCDATA).
#define WAVE_RESOURCE_TYPE MAKEINTRESOURCEA(10)

// Looks up resource `name` of `module` and parses it as wave_parse does,
// reading nothing beyond the resource's own size. Returns 1 when the module
// holds the resource, whatever it contains, and 0 when it does not; the
// results show whether it held a usable wave.
int wave_resource_find(HMODULE module, const char *name, const WAVEFORMATEX **format,
                       const uint8_t **data, uint32_t *size);

// Whether resource `name` of `module` begins as a RIFF WAVE form: "RIFF", its
// size, "WAVE". Tells a refusal whether the resource holds a wave at all.
int wave_resource_is_riff_wave(HMODULE module, const char *name);

#endif
