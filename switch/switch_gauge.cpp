// The master switch's element tree, mouse list and click handler.
#include "switch_gauge.h"
#include "switch_resources.h"

int32_t switch_on = 0;

SoundEntry switch_click_sound = {"CLICK", nullptr};
SoundEntry *switch_sounds[] = {&switch_click_sound, nullptr};

static const FailureEntry lever_failures[] = {{1, 0}, {0, 0}};

static ElementRecord *off_lever_children[] = {&switch_lever_on.element, nullptr};
static ElementRecord *background_children[] = {&switch_lever_off.element, nullptr};

static StaticImageElement background = {
    {ELEMENT_STATIC_IMAGE, SWITCH_PLATE_BITMAP, 0, 0, {0}, &gauge_header, 0, background_children,
     nullptr, 0x00000001, {0}}};

IconElement switch_lever_off = {
    {ELEMENT_ICON, SWITCH_LEVER_OFF_BITMAP, 20, 20, {0}, &gauge_header, 0, off_lever_children,
     lever_failures, 0x00000003, {0}},
    {0},
    nullptr,
    {0},
    2};

IconElement switch_lever_on = {
    {ELEMENT_ICON, SWITCH_LEVER_ON_BITMAP, 21, 20, {0}, &gauge_header, 0, nullptr, lever_failures,
     DRAW_HIDDEN | 0x00000003, {0}},
    {0},
    nullptr,
    {0},
    2};

static ElementRecord *element_list[] = {&background.element};

GaugeHeader gauge_header = GAUGE_HEADER_INIT("Toggle-type Master Switch", element_list, 38);

MouseRegion gauge_mouse_list[] = {
    {MOUSE_PARENT_BEGIN, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
    {MOUSE_CHILD, 0, 0, 40, 60, MOUSE_CURSOR_HAND, 0, MOUSE_LEFT_SINGLE, 0, switch_click, nullptr},
    {MOUSE_PARENT_END, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
    {MOUSE_END_OF_LIST, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
};

// Clicks and flips the lever: exactly one of the two lever icons is hidden at any time.
int32_t HOST_CALL switch_click(ClickPoint *, uint32_t) {
    // The click sounds first, whatever the state; a click still sounding is not restarted.
    sound_entry_play(&switch_click_sound, 0);
    if (switch_on == 0) {
        switch_lever_off.element.draw_flags |= DRAW_HIDDEN;
        switch_lever_on.element.draw_flags &= ~DRAW_HIDDEN;
        switch_on = 1;
    } else {
        switch_lever_on.element.draw_flags |= DRAW_HIDDEN;
        switch_lever_off.element.draw_flags &= ~DRAW_HIDDEN;
        switch_on = 0;
    }
    return 0;
}

void gauge_before_install(ModuleHandle) {}
void gauge_after_install(ModuleHandle resources) {
    sound_table_open(switch_sounds, static_cast<HMODULE>(resources));
}
void gauge_before_initialize(void) { switch_bind_variables(); }
void gauge_before_update(void) { switch_publish(); }
void gauge_after_kill(void) { sound_table_close(switch_sounds); }
