// The files a panel is made of, found or looked for: the panel file, the
// windows' backgrounds, the gauge files loaded and those looked for and not
// found, so that a file copied in later is seen too. A change of any of them
// calls for a reload.
#ifndef BENCH_PANEL_FILES_H
#define BENCH_PANEL_FILES_H

#include <string>
#include <vector>

#include "file_watch.h"
#include "gauge_placement.h"
#include "panel_window.h"

namespace bench {

// `panel_file` is the panel file, `folder` its folder (ending in a
// separator); each file is named as the panel file or its lines name it.
// A file appears once, however many lines name it.
std::vector<WatchedFile> panel_files(const WatchedFile &panel_file, const std::string &folder,
                                     const std::vector<PanelWindow> &windows,
                                     const std::vector<PlacedGauge> &gauges);

// `files` with those of `more` it does not hold.
std::vector<WatchedFile> joined(std::vector<WatchedFile> files, const std::vector<WatchedFile> &more);

}  // namespace bench

#endif
