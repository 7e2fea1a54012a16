// Polls a list of files for changes of their time, size or presence, and
// reports a change once the files have stood still for a while: editors and
// linkers write a file in steps.
#ifndef BENCH_FILE_WATCH_H
#define BENCH_FILE_WATCH_H

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// A file to watch: its full path and its name in messages.
struct WatchedFile {
    std::string path;
    std::string name;
};

class FileWatch {
public:
    static constexpr unsigned long POLL_MS = 500;    // the files are looked at about twice a second
    static constexpr unsigned long SETTLE_MS = 500;  // and a change counts once they stand still this long

    // Watches `files` from now, as they stand now.
    void watch(const std::vector<WatchedFile> &files);
    // Takes the files as they stand now as seen: a change before is not reported.
    void rest();
    // Looks at the files if POLL_MS have passed since the last look (`now`
    // in milliseconds); the names of those that changed, once every change
    // is SETTLE_MS old; else empty.
    std::vector<std::string> poll(unsigned long now);
    const std::vector<WatchedFile> &files() const { return files_; }

private:
    struct Stamp {
        bool exists = false;
        uint64_t size = 0;
        uint64_t written = 0;
        bool operator==(const Stamp &other) const {
            return exists == other.exists && size == other.size && written == other.written;
        }
    };
    static Stamp stamp_of(const std::string &path);

    std::vector<WatchedFile> files_;
    std::vector<Stamp> seen_;    // as last reported (or when watched)
    std::vector<Stamp> latest_;  // as at the last look
    bool looked_ = false;
    unsigned long last_look_ = 0;
    unsigned long last_change_ = 0;
};

}  // namespace bench

#endif
