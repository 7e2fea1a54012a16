// The ignition gauge's element tree, mouse list, value routines and click
// handler. The whole start sequence runs in the ignition lamp's value routine,
// which the host calls on every panel update.
#include "ignition_gauge.h"
#include "ignition_resources.h"
#include "ignition_sounds.h"

ModuleVar TICK_VAR = {TICK_VAR_TOKEN};

double ignition_value = 0.0;
double start_requested = 0.0;
double cranking = 0.0;
double crank_start_tick = 0.0;

static const double ICON_SHOWN = 0.0;
static const double ICON_NOTHING = -1.0;

static const FailureEntry lamp_failures[] = {{2, 0}, {0, 0}};

static IconElement ignition_lamp = {
    {ELEMENT_ICON, IGNITION_LAMP_BITMAP, 7, 12, {0}, &gauge_header, 0, nullptr, lamp_failures,
     0x00000007, {0}},
    {IGNITION_VAR},
    ignition_state_cb,
    {0},
    1};

static IconElement cranking_lamp = {
    {ELEMENT_ICON, IGNITION_CRANKING_LAMP_BITMAP, 7, 43, {0}, &gauge_header, 0, nullptr,
     lamp_failures, 0x00000007, {0}},
    {0},
    cranking_lamp_cb,
    {0},
    1};

static IconElement cranking_picture = {
    {ELEMENT_ICON, IGNITION_CRANKING_PICTURE_BITMAP, 24, 0, {0}, &gauge_header, 0, nullptr,
     lamp_failures, 0x00000003, {0}},
    {0},
    cranking_lamp_cb,
    {0},
    1};

static ElementRecord *background_children[] = {
    &ignition_lamp.element, &cranking_lamp.element, &cranking_picture.element, nullptr};

static StaticImageElement background = {
    {ELEMENT_STATIC_IMAGE, IGNITION_PLATE_BITMAP, 0, 0, {0}, &gauge_header, 0, background_children,
     nullptr, 0x00000001, {0}}};

static ElementRecord *element_list[] = {&background.element};

GaugeHeader gauge_header = GAUGE_HEADER_INIT("Delvarotine", element_list, 100);

MouseRegion gauge_mouse_list[] = {
    {MOUSE_PARENT_BEGIN, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0xA206, 0, 0, nullptr, nullptr},
    {MOUSE_CHILD, 26, 1, 81, 76, MOUSE_CURSOR_HAND, 0, MOUSE_LEFT_SINGLE, 0, ignition_click,
     nullptr},
    {MOUSE_PARENT_END, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
    {MOUSE_END_OF_LIST, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
};

// The ignition lamp: runs the start sequence, then shows while the ignition
// state is exactly 1. The host has refreshed `variable` (IGNITION_VAR).
double HOST_CALL ignition_state_cb(ModuleVar *variable) {
    const double tick = TICK_VAR.value;
    ignition_value = variable->value;
    if (start_requested == 1.0) {
        if (cranking == 0.0) {
            cranking = 1.0;
            crank_start_tick = tick;
            ignition_sound_play(&ignition_starter_sound);
        } else if (tick - crank_start_tick > CRANKING_TICKS && cranking == 1.0) {
            host_services()->SendEvent(START_EVENT, 1);
            cranking = 0.0;
            start_requested = 0.0;
        }
    }
    return ignition_value == 1.0 ? ICON_SHOWN : ICON_NOTHING;
}

// The cranking lamp and the cranking picture: shown while the starter runs.
double HOST_CALL cranking_lamp_cb(ModuleVar *) {
    return cranking == 1.0 ? ICON_SHOWN : ICON_NOTHING;
}

// A click with the ignition off requests a start, taken up by the next update;
// any other ignition state stops the engine and leaves the sequence as it is.
int32_t HOST_CALL ignition_click(ClickPoint *, uint32_t) {
    if (ignition_value == 0.0) {
        start_requested = 1.0;
    } else {
        host_services()->SendEvent(STOP_EVENT, 1);
        ignition_sound_play(&ignition_stop_sound);
    }
    return 1;
}

// The tick counter is bound first of all, so the value routines can read it.
void gauge_before_install(ModuleHandle) {
    host_services()->BindVar(&TICK_VAR);
    ignition_sounds_open();
}

void gauge_after_install(ModuleHandle) {}
void gauge_before_initialize(void) {}

// Refreshed before every UpdateElements, so the value routines see the current tick.
void gauge_before_update(void) { host_services()->RefreshVar(&TICK_VAR); }

void gauge_after_kill(void) { ignition_sounds_close(); }
