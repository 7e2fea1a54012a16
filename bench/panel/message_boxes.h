// Message boxes that loaded modules open with MessageBoxA or MessageBoxW
// (registration and error boxes are common in gauge files of other makers),
// caught through an import patch on each watched module as debug output is:
// the box never opens, its caption and text are told to a listener, and
// the call answers IDOK, so that the panel runs on.
#ifndef BENCH_MESSAGE_BOXES_H
#define BENCH_MESSAGE_BOXES_H

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import_patch.h"

namespace bench {

class MessageBoxes {
public:
    // Told each box's caption and text, in UTF-8.
    using Listener = std::function<void(const std::string &caption, const std::string &text)>;

    MessageBoxes() = default;
    ~MessageBoxes() { clear(); }
    MessageBoxes(const MessageBoxes &) = delete;
    MessageBoxes &operator=(const MessageBoxes &) = delete;

    // Catches `module`'s message boxes until clear(); false when it imports
    // neither routine, or is watched already.
    bool watch(HMODULE module, Listener listener);
    // Stops watching every module; done before they unload.
    void clear();

private:
    struct Watched {
        HMODULE module;
        Listener listener;
        std::unique_ptr<ImportPatch> narrow, wide;
    };
    std::vector<std::unique_ptr<Watched>> watched_;
};

}  // namespace bench

#endif
