// The host's panel service table: the fourteen entries the modules call, at
// their positions counted in 32-bit entries from the start of the table.
#ifndef HOST_SERVICES_H
#define HOST_SERVICES_H

#include "host_records.h"

#pragma pack(push, 4)

struct HostServices {
    void *host0[24];                                                           // 0-23
    int32_t(HOST_CALL *QueryElements)(ElementRecord *head);                    // 24
    void(HOST_CALL *InstallElements)(ElementRecord *head, ModuleHandle resources);  // 25
    void(HOST_CALL *InitElements)(ElementRecord *head);                        // 26
    void(HOST_CALL *UpdateElements)(ElementRecord *head);                      // 27
    void(HOST_CALL *GenerateElements)(ElementRecord *head, uint32_t host_value);  // 28
    void(HOST_CALL *DrawElements)(ElementRecord *head);                        // 29
    void *host30;                                                              // 30
    void(HOST_CALL *KillElements)(ElementRecord *head);                        // 31
    void(HOST_CALL *InstallMouse)(MouseRegion *list, GaugeHeader *gauge, ImageSize *background_size);  // 32
    void(HOST_CALL *RegisterMouse)(MouseRegion *list, GaugeHeader *gauge);     // 33
    void(HOST_CALL *UnregisterMouse)(MouseRegion *list, GaugeHeader *gauge);   // 34
    void *host35;                                                              // 35
    void(HOST_CALL *SendEvent)(uint32_t event_id, uint32_t value);             // 36
    void *host37;                                                              // 37
    void(HOST_CALL *BindVar)(ModuleVar *variable);                             // 38
    void(HOST_CALL *BindVarByName)(ModuleVar *variable, const char *name);     // 39
    void(HOST_CALL *RefreshVar)(ModuleVar *variable);                          // 40
};

#pragma pack(pop)

#define SERVICE_POSITION(name) (offsetof(HostServices, name) / sizeof(void *))
static_assert(SERVICE_POSITION(QueryElements) == 24, "QueryElements at 24");
static_assert(SERVICE_POSITION(DrawElements) == 29, "DrawElements at 29");
static_assert(SERVICE_POSITION(KillElements) == 31, "KillElements at 31");
static_assert(SERVICE_POSITION(UnregisterMouse) == 34, "UnregisterMouse at 34");
static_assert(SERVICE_POSITION(SendEvent) == 36, "SendEvent at 36");
static_assert(SERVICE_POSITION(BindVar) == 38, "BindVar at 38");
static_assert(SERVICE_POSITION(RefreshVar) == 40, "RefreshVar at 40");
static_assert(sizeof(HostServices) == 41 * 4, "the table reaches position 40");

#endif
