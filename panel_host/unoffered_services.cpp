#include "unoffered_services.h"

#include <cstdio>
#include <utility>

#include "gauge_guard.h"
#include "host_records.h"

namespace panel_host {

namespace {

// Never returns, so its arguments, however many the gauge pushed, do not matter.
template <int POSITION>
void HOST_CALL unoffered_service() {
    char reason[96];
    snprintf(reason, sizeof reason, "called the host's service at position %d, which the bench does not offer",
             POSITION);
    stop_gauge_call(reason, __builtin_return_address(0));
}

template <int... POSITIONS>
void fill(void *entries[], std::integer_sequence<int, POSITIONS...>) {
    void *stops[] = {reinterpret_cast<void *>(&unoffered_service<POSITIONS>)...};
    for (int position = 0; position < SERVICE_TABLE_ENTRIES; ++position)
        if (entries[position] == nullptr)
            entries[position] = stops[position];
}

}  // namespace

void fill_unoffered_services(void *entries[SERVICE_TABLE_ENTRIES]) {
    fill(entries, std::make_integer_sequence<int, SERVICE_TABLE_ENTRIES>());
}

}  // namespace panel_host
