// A well-formed gauge file of another maker holding two gauges, each a
// background and a click region that sends its own event. Its Linkage lists
// both, so it is a record of its own layout: the host's eight words with one
// more header before the list's end. Its start and end routines say, in its
// debug output, that they ran.
#include <windows.h>

#include "host_services.h"

namespace {

struct TwoGaugeLinkage {
    uint32_t module_id;          // 0
    ModuleRoutine module_start;  // 1
    ModuleRoutine module_end;    // 2
    uint32_t flags;              // 3
    uint32_t priority;           // 4
    uint32_t version;            // 5
    GaugeHeader *gauges[3];      // 6-8: two headers, null-terminated
};
static_assert(sizeof(TwoGaugeLinkage) == 9 * 4, "Linkage with two headers is 9 words");

HostServices *services();

// One gauge of the file: its records and routines, `EVENT` sent on a click.
template <uint32_t EVENT>
struct Gauge {
    static GaugeHeader header;
    static StaticImageElement face;
    static ElementRecord *elements[2];
    static MouseRegion mouse[3];

    static int32_t HOST_CALL clicked(ClickPoint *, uint32_t) {
        services()->SendEvent(EVENT, 1);
        return 1;
    }
    static int32_t HOST_CALL query() { return 0; }
    static void HOST_CALL install(ModuleHandle resources) { services()->InstallElements(elements[0], resources); }
    static void HOST_CALL initialize() {
        services()->InitElements(elements[0]);
        services()->RegisterMouse(mouse, &header);
    }
    static void HOST_CALL update() { services()->UpdateElements(elements[0]); }
    static void HOST_CALL draw() { services()->DrawElements(elements[0]); }
    static void HOST_CALL kill() {
        services()->UnregisterMouse(mouse, &header);
        services()->KillElements(elements[0]);
    }
};

template <uint32_t EVENT>
StaticImageElement Gauge<EVENT>::face = {
    {ELEMENT_STATIC_IMAGE, 0x100, 0, 0, {}, &Gauge<EVENT>::header, 0, nullptr, nullptr, 0, {}}, nullptr, {}};
template <uint32_t EVENT>
ElementRecord *Gauge<EVENT>::elements[2] = {&Gauge<EVENT>::face.element, nullptr};
template <uint32_t EVENT>
MouseRegion Gauge<EVENT>::mouse[3] = {
    {MOUSE_CHILD, 0, 0, 32, 24, MOUSE_CURSOR_HAND, 0, MOUSE_LEFT_SINGLE, 0, &Gauge<EVENT>::clicked, nullptr},
    {MOUSE_PARENT_END, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
    {MOUSE_END_OF_LIST, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
};

const uint32_t FIRST_EVENT = 0x00011001;
const uint32_t SECOND_EVENT = 0x00011002;

// The second gauge has no generate routine: a null routine is none.
template <>
GaugeHeader Gauge<FIRST_EVENT>::header = {
    GAUGE_HEADER_VERSION, "First gauge", elements, &query, &install, &initialize, &update, nullptr, &draw, &kill,
    0, 32, {}};
template <>
GaugeHeader Gauge<SECOND_EVENT>::header = {
    700, "Second gauge", elements, &query, &install, &initialize, &update, nullptr, &draw, &kill, 0, 32, {}};

void HOST_CALL module_start() { OutputDebugStringA("module started\n"); }
void HOST_CALL module_end() { OutputDebugStringA("module ended\n"); }

}  // namespace

extern "C" {
__declspec(dllexport) ModuleImports ImportTable = {{IMPORT_PANEL_SERVICES, nullptr}, {0, nullptr}};
__declspec(dllexport) TwoGaugeLinkage Linkage = {
    MODULE_ID, &module_start, &module_end, 0, 0, 0,
    {&Gauge<FIRST_EVENT>::header, &Gauge<SECOND_EVENT>::header, nullptr}};
}

namespace {
HostServices *services() { return static_cast<HostServices *>(ImportTable.panel_services.pointer); }
}  // namespace
