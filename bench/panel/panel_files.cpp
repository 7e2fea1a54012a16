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
        // Where the line names it below the panel folder, found or not.
        add(files, folder + gauge.line.file_path + ".gau", name);
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
