// The modules whose imports a catcher has patched, each with its listener. A
// patched routine finds whose call it caught by the module its call returns
// to or, for a call a gauge made by a jump at the end of its routine (which
// returns straight to the bench), by the guarded call in progress.
#ifndef BENCH_MODULE_CATCHES_H
#define BENCH_MODULE_CATCHES_H

#include <windows.h>

#include <algorithm>
#include <vector>

#include "gauge_guard.h"

namespace bench {

template <typename Listener>
class ModuleCatches {
public:
    bool has(HMODULE module) const { return find(module) != nullptr; }
    void add(HMODULE module, const Listener *listener) { catches_.push_back({module, listener}); }
    void remove(HMODULE module) {
        catches_.erase(std::remove_if(catches_.begin(), catches_.end(),
                                      [&](const Catch &caught) { return caught.module == module; }),
                       catches_.end());
    }
    // The listener of the module whose call returns to `return_address`, or null.
    const Listener *of_caller(const void *return_address) const {
        HMODULE caller = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(return_address), &caller);
        const Listener *listener = find(caller);
        return listener != nullptr ? listener : find(panel_host::module_in_call());
    }

private:
    struct Catch {
        HMODULE module;
        const Listener *listener;
    };
    const Listener *find(HMODULE module) const {
        for (const Catch &caught : catches_)
            if (module != nullptr && caught.module == module)
                return caught.listener;
        return nullptr;
    }
    std::vector<Catch> catches_;
};

}  // namespace bench

#endif
