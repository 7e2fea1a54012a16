// The ignition gauge's bitmap identifiers: its resource script and its
// records both take them from here.
#ifndef IGNITION_RESOURCES_H
#define IGNITION_RESOURCES_H

#define IGNITION_PLATE_BITMAP 0x100              // the background plate
#define IGNITION_CRANKING_PICTURE_BITMAP 0x1000  // shown while the starter runs
#define IGNITION_CRANKING_LAMP_BITMAP 0x1010     // shown while the starter runs
#define IGNITION_LAMP_BITMAP 0x1020              // shown while the ignition state is 1

#endif
