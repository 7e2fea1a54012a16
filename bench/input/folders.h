// The folders around a panel file: the simulator's folder above it and how
// far above. Paths are compared as text, without regard to case or to the
// kind of separator, as the platform's file names are.
#ifndef BENCH_FOLDERS_H
#define BENCH_FOLDERS_H

#include <string>

namespace bench {

// The simulator's folder for a panel in ...\Aircraft\NAME\panel\ (ending in a
// separator), or empty.
std::string simulator_folder(const std::string &panel_folder);

// How many folders `inner` lies below `outer` (0: the same folder), or -1
// when it does not lie within it or either is empty.
int folders_below(const std::string &outer, const std::string &inner);

}  // namespace bench

#endif
