// The master switch's bitmap identifiers: its resource script and its records
// both take them from here.
#ifndef SWITCH_RESOURCES_H
#define SWITCH_RESOURCES_H

#define SWITCH_PLATE_BITMAP 0x1000      // the background plate
#define SWITCH_LEVER_ON_BITMAP 0x2000   // the lever up (on)
#define SWITCH_LEVER_OFF_BITMAP 0x2003  // the lever down (off)

#endif
