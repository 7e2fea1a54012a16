// Walks of records a gauge file hands the host, bounded in depth and count
// so that a cyclic or runaway list ends, and the checks made of a gauge's
// element tree before it is installed.
#ifndef PANEL_HOST_FOREIGN_RECORDS_H
#define PANEL_HOST_FOREIGN_RECORDS_H

#include <string>

#include "host_records.h"

namespace panel_host {

const int MAX_ELEMENT_DEPTH = 16;     // the head is depth 1
const int MAX_ELEMENTS = 1024;        // in one gauge's tree
const int MAX_MOUSE_REGIONS = 256;    // records of one mouse list, its end included

// An element's bitmap number as messages and the trace write it: "0x1010".
std::string bitmap_number(uint32_t image);

// Why the bench cannot honour the element tree under `head`, or empty: an
// element of a kind other than a static image or an icon, a tree deeper or
// larger than the bounds (a child list that leads back into itself is both).
// Reads foreign memory: call it guarded.
std::string element_tree_problem(ElementRecord *head);

// The number of records of `list` before its end, or -1 when no end comes
// within MAX_MOUSE_REGIONS records.
int mouse_region_count(const MouseRegion *list);

}  // namespace panel_host

#endif
