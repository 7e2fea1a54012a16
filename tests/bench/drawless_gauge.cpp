// Gauges that draw nothing, as sound and logic gauges of the later hosts are,
// placed with a zero box: one with no element list at all, and one whose only
// element names a bitmap the file does not hold, with a click region. Each
// routine says through OutputDebugStringA that it ran. Which one is built is
// chosen by a definition.
#include <windows.h>

#include "host_services.h"

extern GaugeHeader header;

extern "C" {
__declspec(dllexport) ModuleImports ImportTable = {{IMPORT_PANEL_SERVICES, nullptr}, {0, nullptr}};
}

namespace {

HostServices *host() { return static_cast<HostServices *>(ImportTable.panel_services.pointer); }

bool installed = false;
int updates = 0;

#if defined(NO_BITMAP)
StaticImageElement background = {{ELEMENT_STATIC_IMAGE, 0x7777, 0, 0, {}, nullptr, 0, nullptr, nullptr, 0, {}},
                                  nullptr, {}};
ElementRecord *elements[] = {&background.element};

int32_t HOST_CALL clicked(ClickPoint *, uint32_t) {
    OutputDebugStringA("clicked");
    return 1;
}

MouseRegion regions[] = {
    {MOUSE_PARENT_BEGIN, 0, 0, 10, 10, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
    {MOUSE_CHILD, 0, 0, 10, 10, MOUSE_CURSOR_HAND, 0, MOUSE_LEFT_SINGLE, 0, clicked, nullptr},
    {MOUSE_PARENT_END, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
    {MOUSE_END_OF_LIST, 0, 0, 0, 0, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
};
const char NAME[] = "Key_Clicks";
#else
const char NAME[] = "chime_player";
#endif

int32_t HOST_CALL query() { return 0; }

void HOST_CALL install(ModuleHandle resources) {
    OutputDebugStringA("install");
    installed = true;
#if defined(NO_BITMAP)
    host()->InstallElements(elements[0], resources);
    host()->RegisterMouse(regions, &header);
#else
    (void)resources;
#endif
}

void HOST_CALL initialize() {}

void HOST_CALL update() {
    if (++updates == 1)
        OutputDebugStringA(installed ? "first update" : "first update, not installed");
#if defined(NO_BITMAP)
    host()->UpdateElements(elements[0]);
#endif
}

void HOST_CALL generate(uint32_t) {}

void HOST_CALL draw() {
#if defined(NO_BITMAP)
    host()->DrawElements(elements[0]);
#endif
}

void HOST_CALL kill() {
    OutputDebugStringA(updates > 0 ? "killed after its updates" : "killed before any update");
#if defined(NO_BITMAP)
    host()->KillElements(elements[0]);
#endif
}

}  // namespace

GaugeHeader header = {GAUGE_HEADER_VERSION, NAME,
#if defined(NO_BITMAP)
                      elements,
#else
                      nullptr,
#endif
                      query, install, initialize, update, generate, draw, kill, 0, 0, {}};

extern "C" {
__declspec(dllexport) ModuleLinkage Linkage = {MODULE_ID, nullptr, nullptr, 0, 0, 0, {&header, nullptr}};
}
