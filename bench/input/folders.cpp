#include "folders.h"

#include <vector>

#include "reading.h"

namespace bench {

namespace {

// The folder names of a path, lower-case; "." parts dropped.
std::vector<std::string> parts_of(const std::string &path) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t at = 0; at <= path.size(); ++at) {
        if (at == path.size() || path[at] == '\\' || path[at] == '/') {
            if (!part.empty() && part != ".")
                parts.push_back(lower(part));
            part.clear();
        } else {
            part += path[at];
        }
    }
    return parts;
}

}  // namespace

std::string simulator_folder(const std::string &panel_folder) {
    std::string folder = panel_folder;
    for (int level = 0; level < 3; ++level) {
        while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
            folder.pop_back();
        const size_t slash = folder.find_last_of("\\/");
        if (slash == std::string::npos)
            return std::string();
        if (level == 2)
            return lower(folder.substr(slash + 1)) == "aircraft" ? folder.substr(0, slash + 1) : std::string();
        folder = folder.substr(0, slash + 1);
    }
    return std::string();
}

int folders_below(const std::string &outer, const std::string &inner) {
    if (outer.empty() || inner.empty())
        return -1;
    const std::vector<std::string> outside = parts_of(outer), inside = parts_of(inner);
    if (inside.size() < outside.size())
        return -1;
    for (size_t i = 0; i < outside.size(); ++i)
        if (outside[i] != inside[i])
            return -1;
    return static_cast<int>(inside.size() - outside.size());
}

}  // namespace bench
