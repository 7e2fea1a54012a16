// The panel configuration in the host's own format and its successors':
// [Window Titles] decides the panel windows, each [WindowNN] section gives a
// window's background, size and gauge lines. Read from the file's text as
// the platform's profile functions read it, and checked against the bench's
// limits.
#ifndef BENCH_PANEL_CONFIG_H
#define BENCH_PANEL_CONFIG_H

#include <cstdint>
#include <string>
#include <vector>

#include "gauge_line.h"
#include "reading.h"

namespace bench {

// A width and a height; 0 where not given.
struct Extent {
    int width = 0;
    int height = 0;
};

struct WindowConfig {
    int number = 0;            // NN of [WindowNN]
    std::string section;       // "Window02", as written
    int section_line = 0;
    std::string title;         // its [Window Titles] entry, or empty
    std::string background;    // file= (or file_1024=) from the panel folder, or empty
    std::string background_text;  // the value as written
    std::string background_where; // "PATH line N (file=...)", for messages
    Extent size_mm;            // design units; a height of 0 when one value is given
    std::string size_mm_where;
    Extent pixel_size;         // pixel_size= or the bench's own size=
    std::string pixel_size_where;
    int position = -1;         // 0 to 8 (top left to bottom right); -1 not given
    bool visible = true;       // visible=
    std::string ident;         // a number or a name; empty when not given
    double size_ratio = 1.0;   // window_size_ratio=
    bool has_background_colour = false;
    uint32_t background_colour = 0;  // 0x00RRGGBB, where there is no bitmap
    std::vector<GaugeLine> gauges;   // in the order of their numbers
    std::vector<UnreadGaugeLine> unread_gauges;  // lines that place nothing, in that order
};

struct PanelConfig {
    std::string path;    // as given; messages and the trace name it so
    std::string folder;  // its folder, ending in a separator
    std::string simulator_folder;  // the folder its files may reach up to; empty when none is known
    bool has_titles = false;  // a [Window Titles] section decided the windows
    std::vector<WindowConfig> windows;  // in the host's order of creation
};

// Reads the text of the configuration at `path` (as given: messages name
// it so); its files are found beside `full_path`, or beside `path` when that
// is empty, and may reach up to `simulator_folder` (by default the folder
// above Aircraft\NAME\panel\ when the panel lies in one). Every mistake and
// warning goes into `found`; the only mistake is a file that the bench makes
// no window of. The result is usable when `found` has no error.
PanelConfig read_panel_text(const std::string &path, const std::string &text, Diagnostics &found,
                            const std::string &full_path = "", const std::string &simulator_folder = "");

// "PATH line N (KEY=TEXT)": where a gauge line stands, for messages.
std::string where(const PanelConfig &config, const GaugeLine &line);
// "02:gauge05": a gauge line by its window and key, as scenarios may name it.
std::string gauge_place(const WindowConfig &window, const GaugeLine &line);
// "02"
std::string window_number(int number);

}  // namespace bench

#endif
