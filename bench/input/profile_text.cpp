#include "profile_text.h"

#include <map>

#include "bench_limits.h"

namespace bench {

std::string line_place(const std::string &path, int line) {
    return path + " line " + std::to_string(line);
}

std::string entry_place(const std::string &path, const ProfileEntry &entry) {
    return line_place(path, entry.line) + " (" + entry.key + "=" + entry.value + ")";
}

std::vector<ProfileSection> read_profile_text(const std::string &path, const std::string &text,
                                              Diagnostics &found) {
    std::vector<ProfileSection> sections;
    std::map<std::string, int> section_lines;  // lower-case name: its first line
    std::map<std::string, int> key_lines;      // of the section being read
    ProfileSection *current = nullptr;
    bool skipping = false;  // inside a repeated section, which the profile functions never reach
    const std::vector<std::string> lines = split_lines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        std::string line = lines[index];
        if (line.size() > static_cast<size_t>(MAX_PROFILE_LINE)) {
            found.warning(line_place(path, number),
                          "the line is " + std::to_string(line.size()) +
                              " characters long; the profile functions read only the first " +
                              std::to_string(MAX_PROFILE_LINE));
            line.resize(MAX_PROFILE_LINE);
        }
        line = trim(line);
        if (!line.empty() && line[0] == ';')
            continue;
        const size_t comment = line.find("//");
        if (comment != std::string::npos)
            line = trim(line.substr(0, comment));
        if (line.empty())
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            const std::string name = trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            if (close == std::string::npos)
                found.warning(line_place(path, number), "\"" + line + "\" lacks its ']'; read as [" + name + "]");
            auto first = section_lines.find(lower(name));
            skipping = first != section_lines.end();
            if (skipping) {
                found.warning(line_place(path, number),
                              "[" + name + "] is given again; the one on line " +
                                  std::to_string(first->second) + " counts and this one is not read");
                current = nullptr;
                continue;
            }
            section_lines[lower(name)] = number;
            sections.push_back(ProfileSection{name, number, {}});
            current = &sections.back();
            key_lines.clear();
            continue;
        }
        if (skipping)
            continue;
        if (current == nullptr) {
            found.warning(line_place(path, number), "\"" + line + "\" stands before any [section]; the bench ignores it");
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            found.warning(line_place(path, number), "\"" + line + "\" has no '='; the bench ignores it");
            continue;
        }
        ProfileEntry entry{trim(line.substr(0, equals)), trim(line.substr(equals + 1)), number};
        if (entry.value.size() >= 2 && entry.value.front() == '"' && entry.value.back() == '"')
            entry.value = entry.value.substr(1, entry.value.size() - 2);
        auto first = key_lines.find(lower(entry.key));
        if (first != key_lines.end()) {
            found.warning(entry_place(path, entry), entry.key + " is given again; the one on line " +
                                                        std::to_string(first->second) + " counts");
            continue;
        }
        key_lines[lower(entry.key)] = number;
        current->entries.push_back(entry);
    }
    return sections;
}

}  // namespace bench
