#include "gauge_search.h"

#include <windows.h>

namespace bench {

namespace {

const char *const DLL_ENDINGS[] = {".gau", ".dll"};

bool exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool is_folder(const std::string &path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

struct Place {
    std::string folder;  // in full, ending in a separator
    std::string shown;   // how messages name it: "" for the panel folder, "Gauges\"
};

}  // namespace

GaugeSearch find_gauge_file(const PanelConfig &config, const GaugeLine &line) {
    GaugeSearch search;
    std::vector<Place> places = {{config.folder, ""}};
    // A path that climbs out of the panel folder names its place itself.
    const bool climbs = line.file_path.compare(0, 2, "..") == 0;
    if (!config.simulator_folder.empty() && !climbs) {
        std::string folder = config.simulator_folder;
        if (folder.back() != '\\' && folder.back() != '/')
            folder += '\\';
        places.push_back({folder + "Gauges\\", "Gauges\\"});
    }
    for (const Place &place : places)
        for (const char *ending : DLL_ENDINGS) {
            const std::string path = place.folder + line.file_path + ending;
            search.looked_for.push_back(path);
            if (exists(path)) {
                search.path = path;
                search.name = (place.shown.empty() ? line.file : place.shown + line.file_path) + ending;
                search.in_gauges = !place.shown.empty();
                return search;
            }
        }
    for (const Place &place : places) {
        const std::string cab = place.folder + line.file_path + ".cab", folder = place.folder + line.file_path;
        search.looked_for.push_back(cab);
        search.looked_for.push_back(folder);
        const std::string shown = place.shown.empty() ? line.file : place.shown + line.file_path;
        if (exists(cab) || is_folder(folder)) {
            search.problem = (exists(cab) ? shown + ".cab" : shown + "\\") +
                             ": XML gauges; the bench runs DLL gauges";
            return search;
        }
    }
    search.problem = line.file + ".gau: no such file";
    if (places.size() > 1)
        search.problem += " (nor " + line.file + ".dll) in the panel folder or in Gauges\\ of the simulator folder";
    else
        search.problem += " (nor " + line.file + ".dll)";
    return search;
}

}  // namespace bench
