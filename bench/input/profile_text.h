// A configuration file's text as the platform's profile functions read it:
// [sections] of KEY=VALUE entries, section names and keys without regard to
// case, the first of two equal sections or keys counting, lines cut at what
// the profile functions read. Lines beginning with ';' are comments, and so
// is everything from "//" on, as the host's panel files use it.
#ifndef BENCH_PROFILE_TEXT_H
#define BENCH_PROFILE_TEXT_H

#include <string>
#include <vector>

#include "reading.h"

namespace bench {

struct ProfileEntry {
    std::string key;    // as written, trimmed
    std::string value;  // trimmed, surrounding quotes removed, comment cut off
    int line = 0;
};

struct ProfileSection {
    std::string name;  // between the brackets, as written, trimmed
    int line = 0;
    std::vector<ProfileEntry> entries;  // in file order, each key once
};

// Reads the sections of `text`; warnings (a repeated section or key, a line
// without '=', a line outside any section, a cut line) go into `found` with
// "PATH line N".
std::vector<ProfileSection> read_profile_text(const std::string &path, const std::string &text,
                                              Diagnostics &found);

// "PATH line N"
std::string line_place(const std::string &path, int line);
// "PATH line N (KEY=VALUE)"
std::string entry_place(const std::string &path, const ProfileEntry &entry);

}  // namespace bench

#endif
