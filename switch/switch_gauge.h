// The "Toggle-type Master Switch" gauge.
#ifndef SWITCH_GAUGE_H
#define SWITCH_GAUGE_H

#include "gauge_frame.h"
#include "sound_library.h"

#define SWITCH_VARIABLE_COUNT 33

extern int32_t switch_on;  // 1 while on; 0, off, when the module is loaded
extern IconElement switch_lever_off;
extern IconElement switch_lever_on;
// The sound table: the one row "CLICK", played on every click.
extern SoundEntry switch_click_sound;
extern SoundEntry *switch_sounds[];
extern ModuleVar switch_variables[SWITCH_VARIABLE_COUNT];
extern const char *const switch_variable_names[SWITCH_VARIABLE_COUNT];

int32_t HOST_CALL switch_click(ClickPoint *point, uint32_t mouse_flags);
void switch_bind_variables(void);
void switch_publish(void);

#endif
