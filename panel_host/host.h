// A stand-in for the simulator's panel host: the fourteen panel services, the
// variables they serve, the images they attach and the mouse regions they
// register. One Host is active at a time; its service table dispatches to it.
#ifndef PANEL_HOST_HOST_H
#define PANEL_HOST_HOST_H

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bitmap.h"
#include "drawn_picture.h"
#include "gauge_guard.h"
#include "host_services.h"
#include "picture.h"
#include "unoffered_services.h"

namespace panel_host {

// The image record attached to an element: the words a module may read come first.
struct HostImage {
    HostImageRecord record;
    Bitmap bitmap;
};

// One call of a panel service, as a module made it.
struct ServiceCall {
    std::string service;
    std::vector<uintptr_t> args;
    std::string name;  // BindVarByName's variable name
};

struct MouseRegistration {
    MouseRegion *list;
    GaugeHeader *gauge;
};

class Host {
public:
    Host();  // becomes the active host
    ~Host();
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;

    // The table a gauge file's ImportTable receives: the fourteen services,
    // and up to position 255 entries that stop the gauge calling them.
    HostServices *services() { return &table_.offered; }

    // Simulator variables by token; every token reads 0 until it is set.
    void set_token(uint32_t token, double value) { tokens_[token] = value; }
    double token(uint32_t token) const;

    // Named panel variables: only provided names can be bound.
    int32_t *provide_panel_variable(const std::string &name);
    int32_t *panel_variable(const std::string &name);
    const std::map<std::string, int32_t *> &panel_variables() const { return named_index_; }

    // Calls the handler of the first registered child region of `gauge` that
    // holds the gauge-local point and accepts the flags, guarded; nothing when
    // none does, or when the handler was stopped (why in `stopped`).
    std::optional<int32_t> click(GaugeHeader *gauge, int x, int y,
                                 uint32_t mouse_flags = MOUSE_LEFT_SINGLE);
    // The child region such a click would call, or null.
    MouseRegion *region_at(GaugeHeader *gauge, int x, int y,
                           uint32_t mouse_flags = MOUSE_LEFT_SINGLE) const;
    const std::vector<MouseRegistration> &mouse_registrations() const { return mouse_; }

    // Whether an element shows after the last UpdateElements: not hidden, and
    // for an icon with a value routine, its last value was not negative.
    bool shown(const ElementRecord *element) const;
    const HostImage *image(const ElementRecord *element) const;
    // The gauge's picture as its last DrawElements composed it, or null.
    // Composed when asked, from what that DrawElements found (drawn_picture.h).
    const Picture *picture(const ElementRecord *head) const;

    // Asked when a gauge binds a name no one provides: the storage to give
    // it (provided from then on), or null to leave the gauge's record unbound.
    std::function<int32_t *(const std::string &name)> on_unknown_variable;
    // The simulator's reaction to SendEvent, after it is logged.
    std::function<void(uint32_t event_id, uint32_t value)> on_event;
    // Every service call, as it is made.
    std::function<void(const ServiceCall &)> on_call;
    std::vector<ServiceCall> calls;
    // Whether `calls` keeps the calls; a host whose calls no one reads turns
    // it off, and then a call costs no record unless on_call is set.
    bool record_calls = true;
    int32_t query_result = 0;
    // Why the last InstallElements could not attach an image, if it could not.
    std::string install_error;
    // Why a value routine or a mouse handler called outside a guarded call of
    // its gauge was stopped; inside one, the gauge's call is stopped instead.
    std::optional<CallStop> stopped;
    // Drops every mouse region `gauge` registered: a stopped gauge takes no clicks.
    void forget_gauge(GaugeHeader *gauge);

    // The service implementations.
    int32_t query_elements(ElementRecord *head);
    void install_elements(ElementRecord *head, ModuleHandle resources);
    void init_elements(ElementRecord *head);
    void update_elements(ElementRecord *head);
    void generate_elements(ElementRecord *head, uint32_t host_value);
    void draw_elements(ElementRecord *head);
    void kill_elements(ElementRecord *head);
    void install_mouse(MouseRegion *list, GaugeHeader *gauge, ImageSize *size);
    void register_mouse(MouseRegion *list, GaugeHeader *gauge);
    void unregister_mouse(MouseRegion *list, GaugeHeader *gauge);
    void send_event(uint32_t event_id, uint32_t value);
    void bind_var(ModuleVar *variable);
    void bind_var_by_name(ModuleVar *variable, const char *name);
    void refresh_var(ModuleVar *variable);

    static Host *active();
    // Drops every record kept by element or gauge (images, icon values,
    // pictures, mouse registrations): their gauges are killed and unloaded.
    void forget_gauges();

private:
    void log(const char *service, std::initializer_list<uintptr_t> args, const char *name = nullptr);
    double *token_storage(uint32_t token);
    // Composes every picture whose drawing is pending, before the images it
    // draws from are replaced or released.
    void compose_pending() const;

    union ServiceTable {
        HostServices offered;
        void *entries[SERVICE_TABLE_ENTRIES];
    };
    ServiceTable table_{};
    std::map<uint32_t, double> tokens_;
    std::deque<int32_t> named_storage_;
    std::map<std::string, int32_t *> named_index_;
    std::vector<MouseRegistration> mouse_;
    std::map<const ElementRecord *, std::unique_ptr<HostImage>> images_;
    std::map<const ElementRecord *, double> icon_values_;
    std::map<const ElementRecord *, DrawnPicture> pictures_;
};

// Visits an element and every element of its child lists, parents first.
void for_each_element(ElementRecord *head, const std::function<void(ElementRecord *)> &visit);

}  // namespace panel_host

#endif
