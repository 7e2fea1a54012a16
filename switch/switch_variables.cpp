// The 33 panel variables the master switch publishes, bound by name; other
// gauges of the panel own their storage.
#include "switch_gauge.h"

const char *const switch_variable_names[SWITCH_VARIABLE_COUNT] = {
    "batt1_on",       "volts_on",  "startvolts1_on", "gen_on",         "nav_on",
    "land_on",        "pitot_on",  "strobe_on",      "av_on",          "lowvolts_on",
    "gen2_on",        "volts2_on", "startvolts2_on", "batt2_on",       "flaps_on",
    "gen3_on",        "volts3_on", "startvolts3_on", "batt3_on",       "gen4_on",
    "volts4_on",      "startvolts4_on", "batt4_on",  "spare0",         "spare1",
    "spare2",         "spare3",    "spare4",         "spare5",         "spare6",
    "spare7",         "spare8",    "spare9",
};

ModuleVar switch_variables[SWITCH_VARIABLE_COUNT];

void switch_bind_variables(void) {
    for (int i = 0; i < SWITCH_VARIABLE_COUNT; ++i)
        host_services()->BindVarByName(&switch_variables[i], switch_variable_names[i]);
}

// Written every cycle, so another gauge's write lasts at most one cycle.
void switch_publish(void) {
    int32_t value = switch_on == 1 ? 1 : 0;
    for (int i = 0; i < SWITCH_VARIABLE_COUNT; ++i) {
        if (switch_variables[i].storage != nullptr)
            *static_cast<int32_t *>(switch_variables[i].storage) = value;
    }
}
