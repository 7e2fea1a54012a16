// The bench's interactive mode: a main window of the host's class showing
// the panel windows marked visible, each at its position, drawn at the panel
// rate and zoomed to fit the screen, clicks through the gauges' registered
// regions; Shift+1 to Shift+9 show and hide windows 00 to 08, Z, + and -
// zoom.
#ifndef BENCH_WINDOW_H
#define BENCH_WINDOW_H

#include <string>

#include "panel.h"
#include "panel_reload.h"
#include "scenario.h"
#include "trace.h"

namespace bench {

struct WindowOptions {
    int zoom_percent = 0;  // the zoom at the start; 0: fit
};

// Opens the window, starts the panel and runs it until the window closes or
// the script (if any) quits or fails; window toggles and zooms go into `trace`.
// F5, the script's reload command and, when `reload` watches them, changes of
// the panel's files reload the panel. Returns the exit status.
int run_window(Panel &panel, Scenario *scenario, PanelReload &reload, Trace &trace, const WindowOptions &options,
               std::string &error);

}  // namespace bench

#endif
