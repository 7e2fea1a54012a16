// The host's records, laid out word for word as the host reads them.
// Every field is one 32-bit word unless its comment says otherwise; words the
// host owns are named host_* and stay zero in the module's data.
#ifndef HOST_RECORDS_H
#define HOST_RECORDS_H

#include <stddef.h>
#include <stdint.h>

// Every routine the host calls, and every service it offers, uses this.
#if defined(_MSC_VER) || defined(__MINGW32__)
#define HOST_CALL __stdcall
#else
#define HOST_CALL
#endif

#pragma pack(push, 4)

#ifdef __cplusplus
extern "C" {
#endif

struct GaugeHeader;
struct ModuleVar;

typedef void *ModuleHandle;  // the module's resource handle (an HINSTANCE)

// A click point as the host hands it to a mouse handler, in gauge pixels.
struct ClickPoint {
    int32_t x;
    int32_t y;
};

// Width and height of a loaded bitmap, inside the host's image record.
struct ImageSize {
    int32_t width;
    int32_t height;
};

// The start of the host's image record that InstallElements attaches.
struct HostImageRecord {
    uint32_t flags;  // host's
    ImageSize size;  // InstallMouse receives the address of this field
};

typedef int32_t(HOST_CALL *QueryRoutine)(void);
typedef void(HOST_CALL *InstallRoutine)(ModuleHandle resources);
typedef void(HOST_CALL *PlainRoutine)(void);
typedef void(HOST_CALL *GenerateRoutine)(uint32_t host_value);
typedef double(HOST_CALL *ValueRoutine)(ModuleVar *variable);
typedef int32_t(HOST_CALL *MouseHandler)(ClickPoint *point, uint32_t mouse_flags);
typedef void(HOST_CALL *ModuleRoutine)(void);

// A simulator or panel variable as a module sees it (7 words).
struct ModuleVar {
    uint32_t token;        // 0: host's number for the variable; 0 for none; set by the module
    void *storage;         // 1: the variable's storage; filled in by the host
    uint32_t host_word;    // 2
    double value;          // 3-4: current value, written by the host's refresh
    double host_value2;    // 5-6
};

// One failure of an element: failure code and action code; a zero code ends a list.
struct FailureEntry {
    uint32_t failure_code;
    uint32_t action_code;
};

// Element kinds and drawing flags the modules use.
enum {
    ELEMENT_STATIC_IMAGE = 0,
    ELEMENT_ICON = 4,
};
#define DRAW_HIDDEN 0x40000000u

// Words 0-14, common to every element kind; child lists and services use it.
struct ElementRecord {
    uint32_t kind;                   // 0: ELEMENT_STATIC_IMAGE or ELEMENT_ICON
    uint32_t image;                  // 1: bitmap resource identifier
    int32_t x;                       // 2: position from the gauge's top-left, pixels
    int32_t y;                       // 3
    uint32_t host4[4];               // 4-7
    GaugeHeader *gauge;              // 8: owning header
    uint32_t host9;                  // 9
    ElementRecord **children;        // 10: null-terminated list drawn over this one, or null
    const FailureEntry *failures;    // 11: list ended by a zero failure code, or null
    uint32_t draw_flags;             // 12: host drawing options; DRAW_HIDDEN hides
    uint32_t host13[2];              // 13-14
};

// A static image element (20 words).
struct StaticImageElement {
    ElementRecord element;           // 0-14
    HostImageRecord *image_record;   // 15: attached by InstallElements
    uint32_t host16[4];              // 16-19
};

// An icon element (33 words).
struct IconElement {
    ElementRecord element;           // 0-14
    ModuleVar source;                // 15-21: token 0 when the icon watches nothing
    ValueRoutine value_routine;      // 22: null when none; 0.0 shows the image, -1.0 nothing
    uint32_t host23[5];              // 23-27
    uint32_t icon_setting;           // 28: host icon setting
    uint32_t host29[4];              // 29-32
};

// Mouse region kinds, cursor and flags the modules use.
enum {
    MOUSE_END_OF_LIST = 0,
    MOUSE_PARENT_BEGIN = 1,
    MOUSE_CHILD = 2,
    MOUSE_PARENT_END = 3,
};
#define MOUSE_CURSOR_NONE (-1)
#define MOUSE_CURSOR_HAND 5
#define MOUSE_LEFT_SINGLE 0x20000000u

// One record of a module's mouse list (11 words).
struct MouseRegion {
    uint32_t kind;          // 0: MOUSE_* kind
    int32_t x;              // 1: box, gauge pixels
    int32_t y;              // 2
    int32_t width;          // 3
    int32_t height;         // 4
    int32_t cursor;         // 5: MOUSE_CURSOR_NONE, or a host cursor code
    uint32_t help_id;       // 6
    uint32_t mouse_flags;   // 7: which clicks call the handler
    uint32_t event_id;      // 8
    MouseHandler handler;   // 9
    void *handler_data;     // 10
};

// The gauge header (22 words).
struct GaugeHeader {
    uint32_t version;              // 0: GAUGE_HEADER_VERSION
    const char *name;              // 1
    ElementRecord **element_list;  // 2: one entry, the head element
    QueryRoutine query;            // 3
    InstallRoutine install;        // 4
    PlainRoutine initialize;       // 5
    PlainRoutine update;           // 6
    GenerateRoutine generate;      // 7
    PlainRoutine draw;             // 8
    PlainRoutine kill;             // 9
    uint32_t reserved;             // 10: 0
    uint32_t width_mm;             // 11: default width in millimetres
    uint32_t host12[10];           // 12-21
};
#define GAUGE_HEADER_VERSION 610

// The record the host finds by the name "Linkage" (8 words).
struct ModuleLinkage {
    uint32_t module_id;            // 0: MODULE_ID
    ModuleRoutine module_start;    // 1
    ModuleRoutine module_end;      // 2
    uint32_t flags;                // 3
    uint32_t priority;             // 4
    uint32_t version;              // 5
    GaugeHeader *gauges[2];        // 6-7: the gauge headers, null-terminated
};
#define MODULE_ID 0x13

// One entry of the record the host finds by the name "ImportTable".
struct ImportEntry {
    uint32_t id;       // IMPORT_PANEL_SERVICES, or 0 at the end
    void *pointer;     // written by the host
};
#define IMPORT_PANEL_SERVICES 0x0F

// The record the host finds by the name "ImportTable" (4 words).
struct ModuleImports {
    ImportEntry panel_services;    // 0-1: the host writes its HostServices address here
    ImportEntry end;               // 2-3
};

#ifdef __cplusplus
}
#endif

#pragma pack(pop)

#define WORD_OFFSET(record, field) (offsetof(record, field) / 4)

static_assert(sizeof(void *) == 4, "gauge modules are 32-bit");
static_assert(sizeof(ModuleLinkage) == 8 * 4, "Linkage is 8 words");
static_assert(WORD_OFFSET(ModuleLinkage, gauges) == 6, "Linkage header list at word 6");
static_assert(sizeof(ModuleImports) == 4 * 4, "ImportTable is 4 words");
static_assert(WORD_OFFSET(ModuleImports, end) == 2, "ImportTable end at word 2");
static_assert(sizeof(GaugeHeader) == 22 * 4, "GaugeHeader is 22 words");
static_assert(WORD_OFFSET(GaugeHeader, query) == 3, "routines from word 3");
static_assert(WORD_OFFSET(GaugeHeader, kill) == 9, "kill routine at word 9");
static_assert(WORD_OFFSET(GaugeHeader, width_mm) == 11, "width at word 11");
static_assert(sizeof(ElementRecord) == 15 * 4, "common element words 0-14");
static_assert(WORD_OFFSET(ElementRecord, gauge) == 8, "element header at word 8");
static_assert(WORD_OFFSET(ElementRecord, children) == 10, "child list at word 10");
static_assert(WORD_OFFSET(ElementRecord, failures) == 11, "failure list at word 11");
static_assert(WORD_OFFSET(ElementRecord, draw_flags) == 12, "drawing flags at word 12");
static_assert(sizeof(StaticImageElement) == 20 * 4, "static image is 20 words");
static_assert(WORD_OFFSET(StaticImageElement, image_record) == 15, "image record at word 15");
static_assert(sizeof(IconElement) == 33 * 4, "icon is 33 words");
static_assert(WORD_OFFSET(IconElement, source) == 15, "icon variable at word 15");
static_assert(WORD_OFFSET(IconElement, value_routine) == 22, "value routine at word 22");
static_assert(WORD_OFFSET(IconElement, icon_setting) == 28, "icon setting at word 28");
static_assert(sizeof(MouseRegion) == 11 * 4, "MouseRegion is 11 words");
static_assert(WORD_OFFSET(MouseRegion, handler) == 9, "handler at word 9");
static_assert(sizeof(ModuleVar) == 7 * 4, "ModuleVar is 7 words");
static_assert(offsetof(ModuleVar, value) == 12, "ModuleVar value at byte 12");
static_assert(sizeof(FailureEntry) == 2 * 4, "FailureEntry is 2 words");
static_assert(offsetof(HostImageRecord, size) == 4, "image size follows the flags word");

#endif
