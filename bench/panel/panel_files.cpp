#include "panel_files.h"

#include "reading.h"

namespace bench {

namespace {

void add(std::vector<WatchedFile> &files, const std::string &path, const std::string &name) {
    for (const WatchedFile &file : files)
        if (lower(file.path) == lower(path))
            return;
    files.push_back({path, name});
}

// How messages name a place a gauge file was looked for: below the panel
// folder by its path there, in the simulator's Gauges\ from that folder on.
std::string shown_name(const std::string &path, const std::string &folder) {
    if (lower(path.substr(0, folder.size())) == lower(folder))
        return path.substr(folder.size());
    const size_t gauges = lower(path).rfind("\\gauges\\");
    return gauges == std::string::npos ? path : path.substr(gauges + 1);
}

}  // namespace

std::vector<WatchedFile> panel_files(const WatchedFile &panel_file, const std::string &folder,
                                     const std::vector<PanelWindow> &windows,
                                     const std::vector<PlacedGauge> &gauges) {
    std::vector<WatchedFile> files{panel_file};
    for (const PanelWindow &window : windows)
        if (!window.config.background.empty())
            add(files, folder + window.config.background, window.config.background_text);
    for (const PlacedGauge &gauge : gauges) {
        const std::string name = gauge.line.file + ".gau";
        // Where the line names it below the panel folder, and every other
        // place it was looked for, found or not.
        add(files, folder + gauge.line.file_path + ".gau", name);
        for (const std::string &path : gauge.looked_for)
            add(files, path, shown_name(path, folder));
        // The file loaded, wherever it was found.
        if (gauge.file != nullptr)
            add(files, gauge.file->path(), name);
    }
    return files;
}

std::vector<WatchedFile> joined(std::vector<WatchedFile> files, const std::vector<WatchedFile> &more) {
    for (const WatchedFile &file : more)
        add(files, file.path, file.name);
    return files;
}

}  // namespace bench
