// Loading a gauge file as the host does: the module, its exported records and
// the gauge headers its Linkage lists.
#ifndef PANEL_HOST_GAUGE_FILE_H
#define PANEL_HOST_GAUGE_FILE_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gauge_copies.h"
#include "host_services.h"

namespace panel_host {

class GaugeFile {
public:
    // Loads `path`; on failure returns null and says why in `error`, naming `path`.
    static std::unique_ptr<GaugeFile> load(const std::string &path, std::string &error);
    // While set, load() loads each file from a copy made in `copies` (null:
    // from the file itself); the copy is deleted when the file unloads.
    static void load_from_copies(GaugeCopies *copies);
    ~GaugeFile();
    GaugeFile(const GaugeFile &) = delete;
    GaugeFile &operator=(const GaugeFile &) = delete;

    HMODULE module() const { return module_; }
    // The file as load() was given it, never its copy.
    const std::string &path() const { return path_; }
    ModuleLinkage *linkage() const { return linkage_; }
    ModuleImports *imports() const { return imports_; }
    const std::vector<GaugeHeader *> &gauges() const { return gauges_; }
    // The header named `name`, or null.
    GaugeHeader *find(const std::string &name) const;
    // Writes the host's service table into ImportTable.
    void connect(HostServices *services) const { imports_->panel_services.pointer = services; }

private:
    GaugeFile() = default;
    std::string path_;
    std::string copy_;  // the file loaded, when it is a copy
    GaugeCopies *copies_ = nullptr;
    HMODULE module_ = nullptr;
    ModuleLinkage *linkage_ = nullptr;
    ModuleImports *imports_ = nullptr;
    std::vector<GaugeHeader *> gauges_;
};

// The folder of the running program, ending in a separator.
std::string program_folder();

}  // namespace panel_host

#endif
