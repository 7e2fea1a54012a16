// Copies of gauge files in a folder of the run's own under the temporary
// folder, loaded instead of the originals so that a designer can rebuild a
// gauge file while the bench runs. Each copy sits in a numbered folder of
// its own, so files of one name stay apart and keep their name.
#ifndef PANEL_HOST_GAUGE_COPIES_H
#define PANEL_HOST_GAUGE_COPIES_H

#include <string>
#include <vector>

namespace panel_host {

class GaugeCopies {
public:
    GaugeCopies() = default;
    ~GaugeCopies();  // removes every copy left and the folder
    GaugeCopies(const GaugeCopies &) = delete;
    GaugeCopies &operator=(const GaugeCopies &) = delete;

    // Copies `original` into a new numbered folder; the copy's full path, or
    // empty with the reason in `why`. The run's folder is made at the first
    // copy, and the folders of runs that were killed are removed then.
    std::string copy(const std::string &original, std::string &why);
    // Deletes a copy made here and its numbered folder, once nothing holds it.
    void remove(const std::string &copy);
    // The run's folder, ending in a separator; empty before the first copy.
    const std::string &folder() const { return folder_; }

private:
    bool make_folder(std::string &why);

    std::string folder_;
    unsigned next_ = 0;
    std::vector<std::string> copies_;
};

}  // namespace panel_host

#endif
