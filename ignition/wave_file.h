// Reading RIFF WAVE files through the platform's buffered multimedia file I/O.
// The caller keeps the file handle, the format block and the chunk records;
// the calls for one file are open, start data, read (any number), close.
#ifndef WAVE_FILE_H
#define WAVE_FILE_H

#include <windows.h>

#include <mmsystem.h>

// Results: 0 is success; other nonzero results are mmio error codes passed on.
#define WAVE_OK 0u                // success, as mmio's own MMSYSERR_NOERROR
#define WAVE_ERR_NOMEM 0xE000     // the format block cannot be allocated
#define WAVE_ERR_OPEN 0xE100      // the file cannot be opened
#define WAVE_ERR_NOT_WAVE 0xE101  // not RIFF WAVE, "fmt " too short, or extra format bytes missing
#define WAVE_ERR_READ 0xE102      // the basic format bytes or the extra-size word are missing
#define WAVE_ERR_CORRUPT 0xE103   // the file ends inside the data chunk

// Opens `file_name` for reading, checks it is a RIFF WAVE form and copies its
// "fmt " chunk into a new format block (18 + extra size bytes, GlobalAlloc).
// On failure *file and *format are null and nothing stays open or allocated.
MMRESULT wave_file_open(const char *file_name, HMMIO *file, WAVEFORMATEX **format,
                        MMCKINFO *riff_chunk);

// Positions the file on the first data byte; data_chunk->cksize is then the
// number of data bytes.
MMRESULT wave_file_start_data(HMMIO file, MMCKINFO *data_chunk, const MMCKINFO *riff_chunk);

// Copies up to `size` data bytes into `destination`, straight out of the
// file's I/O buffer, and lowers data_chunk->cksize by what it takes on.
// *bytes_read is 0 after any failure.
MMRESULT wave_file_read(HMMIO file, UINT size, BYTE *destination, MMCKINFO *data_chunk,
                        UINT *bytes_read);

// Frees the format block and closes the file, each if present; always 0.
MMRESULT wave_file_close(HMMIO *file, WAVEFORMATEX **format);

#endif
