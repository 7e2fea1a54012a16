#include "load_watch.h"

#include "gauge_guard.h"

namespace panel_host {

namespace {

// The load being watched; loads happen on one thread at a time.
struct Watched {
    bool faulted = false;
    EXCEPTION_RECORD record = {};
    std::string place;  // named while the file is still mapped
};
Watched *watched = nullptr;

LONG CALLBACK note_exception(EXCEPTION_POINTERS *pointers) {
    if (watched != nullptr && !watched->faulted) {
        watched->faulted = true;
        watched->record = *pointers->ExceptionRecord;
        watched->place = code_place(watched->record.ExceptionAddress);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

HMODULE load_library_watched(const std::string &path, std::string &fault) {
    Watched load;
    watched = &load;
    void *handler = AddVectoredExceptionHandler(1, &note_exception);
    HMODULE module = LoadLibraryA(path.c_str());
    if (handler != nullptr)
        RemoveVectoredExceptionHandler(handler);
    watched = nullptr;
    if (load.faulted) {
        const EXCEPTION_RECORD &record = load.record;
        fault = describe_exception(record.ExceptionCode, record.ExceptionFlags,
                                   record.NumberParameters > 0 ? record.ExceptionInformation[0] : 0,
                                   record.NumberParameters > 1 ? record.ExceptionInformation[1] : 0) +
                " at " + load.place;
    }
    return module;
}

}  // namespace panel_host
