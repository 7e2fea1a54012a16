#include "gauge_file.h"

#include <cstring>

#include "gauge_guard.h"
#include "load_watch.h"
#include "pe_check.h"
#include "system_error.h"

namespace panel_host {

namespace {

GaugeCopies *copies_in_use = nullptr;

// The most gauge headers one Linkage may list: its list must end within them.
const size_t MAX_GAUGES_IN_FILE = 256;

// The gauge headers a Linkage lists, read under the guard: the list is the file's.
struct HeaderList {
    GaugeHeader **list;
    std::vector<GaugeHeader *> *headers;
    bool ended;
};
void HOST_CALL read_header_list(HeaderList *read) {
    for (size_t index = 0; index <= MAX_GAUGES_IN_FILE; ++index) {
        GaugeHeader *header = read->list[index];
        if (header == nullptr) {
            read->ended = true;
            return;
        }
        if (index < MAX_GAUGES_IN_FILE)
            read->headers->push_back(header);
    }
}

}  // namespace

void GaugeFile::load_from_copies(GaugeCopies *copies) { copies_in_use = copies; }

std::unique_ptr<GaugeFile> GaugeFile::load(const std::string &path, std::string &error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = path + ": a folder, not a gauge file";
        return nullptr;
    }
    const std::string problem = pe_file_problem(path);
    if (!problem.empty()) {
        error = path + ": " + problem;
        return nullptr;
    }
    std::unique_ptr<GaugeFile> file(new GaugeFile);
    file->path_ = path;
    if (copies_in_use != nullptr) {
        std::string why;
        file->copy_ = copies_in_use->copy(path, why);
        if (file->copy_.empty()) {
            error = path + ": " + why;
            return nullptr;
        }
        file->copies_ = copies_in_use;
    }
    std::string fault;
    file->module_ = load_library_watched(file->copy_.empty() ? path : file->copy_, fault);
    if (file->module_ == nullptr && !fault.empty()) {
        error = path + ": its entry point faulted as the file loaded (" + fault + "); the file is not loaded";
        return nullptr;
    }
    if (file->module_ == nullptr) {
        error = path + ": cannot be loaded (" + system_error(GetLastError()) + ")";
        return nullptr;
    }
    file->linkage_ = reinterpret_cast<ModuleLinkage *>(GetProcAddress(file->module_, "Linkage"));
    if (file->linkage_ == nullptr) {
        error = path + ": not a gauge file: it exports no Linkage";
        return nullptr;
    }
    if (file->linkage_->module_id != MODULE_ID) {
        error = path + ": not a gauge file: module identifier " +
                std::to_string(file->linkage_->module_id) + " instead of " +
                std::to_string(MODULE_ID);
        return nullptr;
    }
    file->imports_ = reinterpret_cast<ModuleImports *>(GetProcAddress(file->module_, "ImportTable"));
    if (file->imports_ == nullptr) {
        error = path + ": not a gauge file: it exports no ImportTable";
        return nullptr;
    }
    if (file->imports_->panel_services.id != IMPORT_PANEL_SERVICES) {
        error = path + ": its ImportTable does not ask for the panel services";
        return nullptr;
    }
    HeaderList read{file->linkage_->gauges, &file->gauges_, false};
    const CallResult result =
        call_guarded("the walk of its Linkage's gauge list", call_code(&read_header_list), {call_word(&read)});
    if (!result.returned) {
        error = path + ": its Linkage's gauge list cannot be read: " + result.stop.reason;
        return nullptr;
    }
    if (!read.ended) {
        error = path + ": its Linkage's gauge list does not end within " + std::to_string(MAX_GAUGES_IN_FILE) +
                " gauges";
        return nullptr;
    }
    if (file->gauges_.empty()) {
        error = path + ": its Linkage lists no gauge";
        return nullptr;
    }
    return file;
}

GaugeFile::~GaugeFile() {
    if (module_ != nullptr)
        FreeLibrary(module_);
    if (copies_ != nullptr)
        copies_->remove(copy_);
}

GaugeHeader *GaugeFile::find(const std::string &name) const {
    for (GaugeHeader *header : gauges_)
        if (header->name != nullptr && name == header->name)
            return header;
    return nullptr;
}

std::string program_folder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace panel_host
