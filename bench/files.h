// The bench's dealings with the file system: full paths, the output
// folder, and the text of its input files.
#ifndef BENCH_FILES_H
#define BENCH_FILES_H

#include <string>

namespace bench {

// `path` made absolute against the current directory; as given when it cannot be.
std::string full_path(const std::string &path);

// Makes the folder and any missing parents; false with the reason.
bool make_folders(const std::string &folder, std::string &why);

// The text of an input file that `what` names in messages ("panel
// configuration", "scenario script"); false with "PATH: reason".
bool read_input(const std::string &path, const std::string &what, std::string &text,
                std::string &error);

}  // namespace bench

#endif
