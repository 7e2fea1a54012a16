// The "Delvarotine" gauge: the engine's ignition switch.
#ifndef IGNITION_GAUGE_H
#define IGNITION_GAUGE_H

#include "gauge_frame.h"

#define IGNITION_VAR 131u          // token of the ignition state, the ignition lamp's variable
#define TICK_VAR_TOKEN 1u          // token of the host's tick counter
#define START_EVENT 0x000101EAu    // host event: start the engine
#define STOP_EVENT 0x000101E7u     // host event: stop the engine
#define CRANKING_TICKS 80.0        // the start event goes out once more ticks than this have passed

extern ModuleVar TICK_VAR;  // the host's tick counter, bound at install, refreshed every update

// Gauge state, kept for as long as the module stays loaded (across kill and install).
extern double ignition_value;    // the ignition state as the last update saw it
extern double start_requested;   // 1.0 from a starting click until the start event is sent
extern double cranking;          // 1.0 while the starter runs
extern double crank_start_tick;  // the tick count when cranking began

double HOST_CALL ignition_state_cb(ModuleVar *variable);
double HOST_CALL cranking_lamp_cb(ModuleVar *variable);
int32_t HOST_CALL ignition_click(ClickPoint *point, uint32_t mouse_flags);

#endif
