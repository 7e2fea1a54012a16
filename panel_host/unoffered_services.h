// The entries of the service table at the positions the bench does not
// offer (0 to 23, 30, 35, 37 and 41 to 255): each stops the gauge that calls
// it, naming the position, straight through the guard.
#ifndef PANEL_HOST_UNOFFERED_SERVICES_H
#define PANEL_HOST_UNOFFERED_SERVICES_H

namespace panel_host {

// The length of the bench's service table, in entries; later gauges read
// further than the fourteen services.
const int SERVICE_TABLE_ENTRIES = 256;

// Writes the stopping entry into every null entry of `entries`.
void fill_unoffered_services(void *entries[SERVICE_TABLE_ENTRIES]);

}  // namespace panel_host

#endif
