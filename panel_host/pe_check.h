// What keeps a file from being loaded as a 32-bit gauge DLL, found in its
// headers before the loader sees it, so that a refusal can say why.
#ifndef PANEL_HOST_PE_CHECK_H
#define PANEL_HOST_PE_CHECK_H

#include <cstddef>
#include <string>

namespace panel_host {

// The file's first `head_size` bytes and its full size; an empty string when
// its headers are those of a whole 32-bit x86 DLL, else the reason they are not.
std::string pe_image_problem(const unsigned char *head, size_t head_size,
                             unsigned long long file_size);

// The headers read from the file at `path`; "" when it may be loaded.
std::string pe_file_problem(const std::string &path);

}  // namespace panel_host

#endif
