// The gauge module frame: the exported records, the seven gauge routines and
// the points where a module adds its own steps. Each module builds in its own
// copy and defines gauge_header, gauge_mouse_list and the five step routines.
#ifndef GAUGE_FRAME_H
#define GAUGE_FRAME_H

#include "host_records.h"
#include "host_services.h"

extern "C" {
extern ModuleLinkage Linkage;
extern ModuleImports ImportTable;
}

// The host's service table, read from ImportTable at the moment of each call.
inline HostServices *host_services(void) {
    return static_cast<HostServices *>(ImportTable.panel_services.pointer);
}

// The seven gauge routines, in header order.
int32_t HOST_CALL gauge_query(void);
void HOST_CALL gauge_install(ModuleHandle resources);
void HOST_CALL gauge_initialize(void);
void HOST_CALL gauge_update(void);
void HOST_CALL gauge_generate(uint32_t host_value);
void HOST_CALL gauge_draw(void);
void HOST_CALL gauge_kill(void);

// Initialiser of a module's GaugeHeader with the frame's routines.
#define GAUGE_HEADER_INIT(name, element_list, width_mm)                                   \
    {                                                                                      \
        GAUGE_HEADER_VERSION, name, element_list, gauge_query, gauge_install,              \
            gauge_initialize, gauge_update, gauge_generate, gauge_draw, gauge_kill, 0,     \
            width_mm, {0}                                                                  \
    }

// Defined by the module.
extern GaugeHeader gauge_header;
extern MouseRegion gauge_mouse_list[];

// The module's own steps, at the frame's fixed points.
void gauge_before_install(ModuleHandle resources);  // before InstallElements
void gauge_after_install(ModuleHandle resources);   // after RegisterMouse
void gauge_before_initialize(void);                 // before InitElements
void gauge_before_update(void);                     // before UpdateElements
void gauge_after_kill(void);                        // after KillElements

#endif
