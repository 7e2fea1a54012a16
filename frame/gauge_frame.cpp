// The exported records and the seven gauge routines. The frame checks no
// service result: a failing service leaves the gauge as the host leaves it.
#include "gauge_frame.h"

static void HOST_CALL module_start_or_end(void) {}

extern "C" {
ModuleLinkage Linkage = {
    MODULE_ID, module_start_or_end, module_start_or_end, 0, 0, 0, {&gauge_header, nullptr}};

ModuleImports ImportTable = {{IMPORT_PANEL_SERVICES, nullptr}, {0, nullptr}};
}

static ElementRecord *head_element(void) { return gauge_header.element_list[0]; }

int32_t HOST_CALL gauge_query(void) { return host_services()->QueryElements(head_element()); }

void HOST_CALL gauge_install(ModuleHandle resources) {
    gauge_before_install(resources);
    host_services()->InstallElements(head_element(), resources);
    // The head is the background image; the host attached its image record.
    StaticImageElement *background = reinterpret_cast<StaticImageElement *>(head_element());
    host_services()->InstallMouse(gauge_mouse_list, &gauge_header,
                                  &background->image_record->size);
    host_services()->RegisterMouse(gauge_mouse_list, &gauge_header);
    gauge_after_install(resources);
}

void HOST_CALL gauge_initialize(void) {
    gauge_before_initialize();
    host_services()->InitElements(head_element());
}

void HOST_CALL gauge_update(void) {
    gauge_before_update();
    host_services()->UpdateElements(head_element());
}

void HOST_CALL gauge_generate(uint32_t host_value) {
    host_services()->GenerateElements(head_element(), host_value);
}

void HOST_CALL gauge_draw(void) { host_services()->DrawElements(head_element()); }

void HOST_CALL gauge_kill(void) {
    host_services()->UnregisterMouse(gauge_mouse_list, &gauge_header);
    host_services()->KillElements(head_element());
    gauge_after_kill();
}
