// Loading a gauge file as the host does: the module, its exported records and
// the gauge headers its Linkage lists.
#ifndef PANEL_HOST_GAUGE_FILE_H
#define PANEL_HOST_GAUGE_FILE_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host_services.h"

namespace panel_host {

class GaugeFile {
public:
    // Loads `path`; on failure returns null and says why in `error`.
    static std::unique_ptr<GaugeFile> load(const std::string &path, std::string &error);
    ~GaugeFile();
    GaugeFile(const GaugeFile &) = delete;
    GaugeFile &operator=(const GaugeFile &) = delete;

    HMODULE module() const { return module_; }
    ModuleLinkage *linkage() const { return linkage_; }
    ModuleImports *imports() const { return imports_; }
    const std::vector<GaugeHeader *> &gauges() const { return gauges_; }
    // The header named `name`, or null.
    GaugeHeader *find(const std::string &name) const;
    // Writes the host's service table into ImportTable.
    void connect(HostServices *services) const { imports_->panel_services.pointer = services; }

private:
    GaugeFile() = default;
    HMODULE module_ = nullptr;
    ModuleLinkage *linkage_ = nullptr;
    ModuleImports *imports_ = nullptr;
    std::vector<GaugeHeader *> gauges_;
};

// The folder of the running program, ending in a separator.
std::string program_folder();

}  // namespace panel_host

#endif
