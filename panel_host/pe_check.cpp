#include "pe_check.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace panel_host {

namespace {

const size_t HEAD_BYTES = 64 * 1024;
const unsigned MACHINE_I386 = 0x014C;
const unsigned MACHINE_AMD64 = 0x8664;
const unsigned CHARACTERISTIC_DLL = 0x2000;
const size_t SECTION_HEADER_SIZE = 40;

unsigned read16(const unsigned char *at) { return at[0] | (at[1] << 8); }
unsigned long read32(const unsigned char *at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<unsigned long>(at[3]) << 24);
}

std::string cut_short(unsigned long long needed, unsigned long long size) {
    return "cut short: the file has " + std::to_string(size) + " bytes, its headers need " +
           std::to_string(needed);
}

}  // namespace

std::string pe_image_problem(const unsigned char *head, size_t head_size,
                             unsigned long long file_size) {
    if (file_size == 0)
        return "an empty file, not a gauge file";
    if (head_size < 2 || head[0] != 'M' || head[1] != 'Z')
        return "not a Windows DLL (no MZ header: a text file, a picture, something else?)";
    if (head_size < 64)
        return cut_short(64, file_size);
    const unsigned long pe_at = read32(head + 0x3C);
    if (pe_at + 24ull > file_size)
        return cut_short(pe_at + 24ull, file_size);
    if (pe_at + 24ull > head_size)
        return "not a PE file: its PE header would lie " + std::to_string(pe_at) + " bytes in";
    const unsigned char *pe = head + pe_at;
    if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
        return "not a PE file (an MS-DOS program or another format), not a gauge file";
    const unsigned machine = read16(pe + 4);
    if (machine == MACHINE_AMD64)
        return "a 64-bit (x86-64) DLL; the simulator loads only 32-bit x86 gauge files";
    if (machine != MACHINE_I386) {
        char text[96];
        snprintf(text, sizeof text, "built for machine type 0x%04X, not for 32-bit x86", machine);
        return text;
    }
    if ((read16(pe + 22) & CHARACTERISTIC_DLL) == 0)
        return "a program, not a DLL; a gauge file is a DLL";
    const unsigned sections = read16(pe + 6);
    const unsigned long long table = pe_at + 24ull + read16(pe + 20);
    const unsigned long long table_end = table + sections * SECTION_HEADER_SIZE;
    if (table_end > file_size)
        return cut_short(table_end, file_size);
    unsigned long long needed = table_end;
    for (unsigned i = 0; i < sections && table + (i + 1) * SECTION_HEADER_SIZE <= head_size; ++i) {
        const unsigned char *section = head + table + i * SECTION_HEADER_SIZE;
        const unsigned long long end = read32(section + 20) + static_cast<unsigned long long>(read32(section + 16));
        if (read32(section + 16) != 0 && end > needed)
            needed = end;
    }
    if (needed > file_size)
        return "cut short: the file has " + std::to_string(file_size) + " bytes, its sections reach to " +
               std::to_string(needed);
    return std::string();
}

std::string pe_file_problem(const std::string &path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return "cannot be opened";
    const std::streamoff size = file.tellg();
    if (size < 0)
        return "cannot be read (a folder?)";
    file.seekg(0);
    std::vector<unsigned char> head(static_cast<size_t>(size) < HEAD_BYTES ? static_cast<size_t>(size) : HEAD_BYTES);
    file.read(reinterpret_cast<char *>(head.data()), static_cast<std::streamsize>(head.size()));
    if (!file)
        return "cannot be read";
    return pe_image_problem(head.data(), head.size(), static_cast<unsigned long long>(size));
}

}  // namespace panel_host
