#include "wave_file.h"

#include <string.h>

// The fields of a format block before its extra-size word.
static const LONG WAVE_BASIC_FORMAT_BYTES = 16;
static_assert(sizeof(WAVEFORMATEX) == 18, "the extra format bytes start at offset 18");
static_assert(WAVE_OK == MMSYSERR_NOERROR, "success is mmio's own");

// Steps of the open after the file is open: the RIFF form, then "fmt ".
// Leaves a format block in *format for the caller to free on failure.
static MMRESULT wave_file_read_format(HMMIO file, WAVEFORMATEX **format, MMCKINFO *riff_chunk) {
    MMRESULT result = mmioDescend(file, riff_chunk, nullptr, 0);
    if (result != WAVE_OK)
        return result;
    if (riff_chunk->ckid != FOURCC_RIFF || riff_chunk->fccType != mmioFOURCC('W', 'A', 'V', 'E'))
        return WAVE_ERR_NOT_WAVE;

    MMCKINFO format_chunk;
    format_chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    result = mmioDescend(file, &format_chunk, riff_chunk, MMIO_FINDCHUNK);
    if (result != WAVE_OK)
        return result;
    if (format_chunk.cksize < static_cast<DWORD>(WAVE_BASIC_FORMAT_BYTES))
        return WAVE_ERR_NOT_WAVE;

    PCMWAVEFORMAT basic;
    if (mmioRead(file, reinterpret_cast<HPSTR>(&basic), WAVE_BASIC_FORMAT_BYTES) !=
        WAVE_BASIC_FORMAT_BYTES)
        return WAVE_ERR_READ;
    // A PCM file's stored extra-size word, if any, is not read.
    WORD extra_size = 0;
    if (basic.wf.wFormatTag != WAVE_FORMAT_PCM &&
        mmioRead(file, reinterpret_cast<HPSTR>(&extra_size), sizeof extra_size) !=
            static_cast<LONG>(sizeof extra_size))
        return WAVE_ERR_READ;

    *format =
        static_cast<WAVEFORMATEX *>(GlobalAlloc(GMEM_FIXED, sizeof(WAVEFORMATEX) + extra_size));
    if (*format == nullptr)
        return WAVE_ERR_NOMEM;
    memcpy(*format, &basic, WAVE_BASIC_FORMAT_BYTES);
    (*format)->cbSize = extra_size;
    if (extra_size != 0 &&
        mmioRead(file, reinterpret_cast<HPSTR>(*format + 1), extra_size) !=
            static_cast<LONG>(extra_size))
        return WAVE_ERR_NOT_WAVE;

    // Moves to the end of "fmt " however much of it was read.
    return mmioAscend(file, &format_chunk, 0);
}

MMRESULT wave_file_open(const char *file_name, HMMIO *file, WAVEFORMATEX **format,
                        MMCKINFO *riff_chunk) {
    *format = nullptr;
    *file = nullptr;
    // mmioOpenA only reads the name, though its parameter is not const.
    HMMIO opened = mmioOpenA(const_cast<LPSTR>(file_name), nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (opened == nullptr)
        return WAVE_ERR_OPEN;
    MMRESULT result = wave_file_read_format(opened, format, riff_chunk);
    if (result != WAVE_OK) {
        if (*format != nullptr) {
            GlobalFree(*format);
            *format = nullptr;
        }
        mmioClose(opened, 0);
        return result;
    }
    *file = opened;
    return WAVE_OK;
}

MMRESULT wave_file_start_data(HMMIO file, MMCKINFO *data_chunk, const MMCKINFO *riff_chunk) {
    // Past the form type, to the first chunk of the form: "data" may precede "fmt ".
    mmioSeek(file, riff_chunk->dwDataOffset + sizeof(FOURCC), SEEK_SET);
    data_chunk->ckid = mmioFOURCC('d', 'a', 't', 'a');
    return mmioDescend(file, data_chunk, riff_chunk, MMIO_FINDCHUNK);
}

MMRESULT wave_file_read(HMMIO file, UINT size, BYTE *destination, MMCKINFO *data_chunk,
                        UINT *bytes_read) {
    MMIOINFO info;
    MMRESULT result = mmioGetInfo(file, &info, 0);
    if (result != WAVE_OK) {
        *bytes_read = 0;
        return result;
    }
    UINT wanted = size < data_chunk->cksize ? size : data_chunk->cksize;
    data_chunk->cksize -= wanted;

    UINT copied = 0;
    while (copied < wanted) {
        if (info.pchNext == info.pchEndRead) {
            result = mmioAdvance(file, &info, MMIO_READ);
            if (result != WAVE_OK) {
                *bytes_read = 0;
                return result;
            }
            if (info.pchNext == info.pchEndRead) {
                *bytes_read = 0;
                return WAVE_ERR_CORRUPT;
            }
        }
        UINT run = static_cast<UINT>(info.pchEndRead - info.pchNext);
        if (run > wanted - copied)
            run = wanted - copied;
        memcpy(destination + copied, info.pchNext, run);
        info.pchNext += run;
        copied += run;
    }

    result = mmioSetInfo(file, &info, 0);
    if (result != WAVE_OK) {
        *bytes_read = 0;
        return result;
    }
    *bytes_read = wanted;
    return WAVE_OK;
}

MMRESULT wave_file_close(HMMIO *file, WAVEFORMATEX **format) {
    if (*format != nullptr) {
        GlobalFree(*format);
        *format = nullptr;
    }
    if (*file != nullptr) {
        mmioClose(*file, 0);
        *file = nullptr;
    }
    return WAVE_OK;
}
