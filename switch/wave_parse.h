// Finds the format block, the sample bytes and their count in a RIFF WAVE
// image held in memory, walking its chunks in place: nothing is copied or
// allocated, and the results point into the image. Needs no Win32.
#ifndef WAVE_PARSE_H
#define WAVE_PARSE_H

#include <stdint.h>

struct tWAVEFORMATEX;  // the platform's WAVEFORMATEX; the parser reads none of its fields

// Four-character codes, read as 32-bit little-endian words.
#define WAVE_ID_RIFF 0x46464952u  // "RIFF"
#define WAVE_ID_WAVE 0x45564157u  // "WAVE"
#define WAVE_ID_FMT 0x20746D66u   // "fmt "
#define WAVE_ID_DATA 0x61746164u  // "data"

// The fewest bytes a format block holds: tag, channels, rate, byte rate, alignment.
#define WAVE_FMT_MIN_SIZE 14u

// No bound but the sizes the image itself declares.
#define WAVE_UNBOUNDED UINT64_MAX

// Walks the chunks of the RIFF WAVE form at `image` up to its riff size.
// Each place may be null: a result not asked for. Sets every place it has to
// its empty value (null, 0), then fills in the first "fmt " payload, the
// "data" payload and that chunk's size. Returns 1 when every result asked
// for was found, else 0 with what the walk had set before it stopped.
int wave_parse(const void *image, const tWAVEFORMATEX **format, const uint8_t **data,
               uint32_t *size);

// The same walk over an image of `length` bytes: it never reads at or past
// `length`. A chunk header or payload that would reach past it ends the walk
// with 0, as the end of the form does.
int wave_parse_bounded(const void *image, uint64_t length, const tWAVEFORMATEX **format,
                       const uint8_t **data, uint32_t *size);

#endif
