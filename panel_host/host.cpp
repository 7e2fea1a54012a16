#include "host.h"

#include <cstdio>
#include <exception>

#include "foreign_records.h"
#include "gauge_guard.h"
#include "unoffered_services.h"

namespace panel_host {

namespace {

Host *active_host = nullptr;

uintptr_t word(const void *pointer) { return reinterpret_cast<uintptr_t>(pointer); }

// Runs a service for the gauge; a C++ exception of the bench's own code must
// not cross the gauge's frames, so it stops the calling gauge instead.
// `caller` is where the gauge called the service from.
template <typename Service>
void serve(const char *name, const void *caller, Service service) {
    char reason[224];
    try {
        service();
        return;
    } catch (const std::exception &failure) {
        snprintf(reason, sizeof reason, "its call of %s failed in the bench: %s", name, failure.what());
    } catch (...) {
        snprintf(reason, sizeof reason, "its call of %s failed in the bench", name);
    }
    stop_gauge_call(reason, caller);
}

#define SERVE(name, body) serve(name, __builtin_return_address(0), [&] { body; })

// The table's entries: plain routines with the host's calling convention.
int32_t HOST_CALL QueryElements(ElementRecord *head) {
    int32_t result = 0;
    SERVE("QueryElements", result = Host::active()->query_elements(head));
    return result;
}
void HOST_CALL InstallElements(ElementRecord *head, ModuleHandle resources) {
    SERVE("InstallElements", Host::active()->install_elements(head, resources));
}
void HOST_CALL InitElements(ElementRecord *head) { SERVE("InitElements", Host::active()->init_elements(head)); }
void HOST_CALL UpdateElements(ElementRecord *head) {
    SERVE("UpdateElements", Host::active()->update_elements(head));
}
void HOST_CALL GenerateElements(ElementRecord *head, uint32_t value) {
    SERVE("GenerateElements", Host::active()->generate_elements(head, value));
}
void HOST_CALL DrawElements(ElementRecord *head) { SERVE("DrawElements", Host::active()->draw_elements(head)); }
void HOST_CALL KillElements(ElementRecord *head) { SERVE("KillElements", Host::active()->kill_elements(head)); }
void HOST_CALL InstallMouse(MouseRegion *list, GaugeHeader *gauge, ImageSize *size) {
    SERVE("InstallMouse", Host::active()->install_mouse(list, gauge, size));
}
void HOST_CALL RegisterMouse(MouseRegion *list, GaugeHeader *gauge) {
    SERVE("RegisterMouse", Host::active()->register_mouse(list, gauge));
}
void HOST_CALL UnregisterMouse(MouseRegion *list, GaugeHeader *gauge) {
    SERVE("UnregisterMouse", Host::active()->unregister_mouse(list, gauge));
}
void HOST_CALL SendEvent(uint32_t event_id, uint32_t value) {
    SERVE("SendEvent", Host::active()->send_event(event_id, value));
}
void HOST_CALL BindVar(ModuleVar *variable) { SERVE("BindVar", Host::active()->bind_var(variable)); }
void HOST_CALL BindVarByName(ModuleVar *variable, const char *name) {
    SERVE("BindVarByName", Host::active()->bind_var_by_name(variable, name));
}
void HOST_CALL RefreshVar(ModuleVar *variable) { SERVE("RefreshVar", Host::active()->refresh_var(variable)); }

// Where a host keeps an element's image record: word 15 of a static image,
// word 23 (its first own word) of an icon.
HostImageRecord **image_word(ElementRecord *element) {
    if (element->kind == ELEMENT_ICON)
        return reinterpret_cast<HostImageRecord **>(
            &reinterpret_cast<IconElement *>(element)->host23[0]);
    return &reinterpret_cast<StaticImageElement *>(element)->image_record;
}

}  // namespace

namespace {

void visit_elements(ElementRecord *element, int depth, int &count,
                    const std::function<void(ElementRecord *)> &visit) {
    if (depth > MAX_ELEMENT_DEPTH || ++count > MAX_ELEMENTS)
        return;
    visit(element);
    if (element->children == nullptr)
        return;
    for (ElementRecord **child = element->children; *child != nullptr && count < MAX_ELEMENTS; ++child)
        visit_elements(*child, depth + 1, count, visit);
}

}  // namespace

void for_each_element(ElementRecord *head, const std::function<void(ElementRecord *)> &visit) {
    int count = 0;
    if (head != nullptr)
        visit_elements(head, 1, count, visit);
}

Host::Host() {
    table_.offered.QueryElements = QueryElements;
    table_.offered.InstallElements = InstallElements;
    table_.offered.InitElements = InitElements;
    table_.offered.UpdateElements = UpdateElements;
    table_.offered.GenerateElements = GenerateElements;
    table_.offered.DrawElements = DrawElements;
    table_.offered.KillElements = KillElements;
    table_.offered.InstallMouse = InstallMouse;
    table_.offered.RegisterMouse = RegisterMouse;
    table_.offered.UnregisterMouse = UnregisterMouse;
    table_.offered.SendEvent = SendEvent;
    table_.offered.BindVar = BindVar;
    table_.offered.BindVarByName = BindVarByName;
    table_.offered.RefreshVar = RefreshVar;
    fill_unoffered_services(table_.entries);
    active_host = this;
}

Host::~Host() {
    if (active_host == this)
        active_host = nullptr;
}

Host *Host::active() { return active_host; }

void Host::log(const char *service, std::initializer_list<uintptr_t> args, const char *name) {
    if (!record_calls && !on_call)
        return;
    ServiceCall call{service, args, name ? name : ""};
    if (!record_calls) {
        on_call(call);
        return;
    }
    calls.push_back(std::move(call));
    if (on_call)
        on_call(calls.back());
}

double Host::token(uint32_t token) const {
    auto found = tokens_.find(token);
    return found == tokens_.end() ? 0.0 : found->second;
}

double *Host::token_storage(uint32_t token) { return &tokens_[token]; }

int32_t *Host::provide_panel_variable(const std::string &name) {
    auto found = named_index_.find(name);
    if (found != named_index_.end())
        return found->second;
    named_storage_.push_back(0);
    return named_index_[name] = &named_storage_.back();
}

int32_t *Host::panel_variable(const std::string &name) {
    auto found = named_index_.find(name);
    return found == named_index_.end() ? nullptr : found->second;
}

int32_t Host::query_elements(ElementRecord *head) {
    log("QueryElements", {word(head)});
    return query_result;
}

void Host::install_elements(ElementRecord *head, ModuleHandle resources) {
    log("InstallElements", {word(head), word(resources)});
    compose_pending();
    for_each_element(head, [&](ElementRecord *element) {
        auto image = std::make_unique<HostImage>();
        std::string error;
        if (load_bitmap_resource(static_cast<HMODULE>(resources), element->image, image->bitmap,
                                 error)) {
            image->record.size = {image->bitmap.width, image->bitmap.height};
        } else if (install_error.empty()) {
            install_error = error;
        }
        *image_word(element) = &image->record;
        images_[element] = std::move(image);
    });
}

void Host::init_elements(ElementRecord *head) { log("InitElements", {word(head)}); }

void Host::update_elements(ElementRecord *head) {
    log("UpdateElements", {word(head)});
    for_each_element(head, [&](ElementRecord *element) {
        if (element->kind != ELEMENT_ICON)
            return;
        IconElement *icon = reinterpret_cast<IconElement *>(element);
        if (icon->source.token != 0)
            icon->source.value = token(icon->source.token);
        if (icon->value_routine == nullptr)
            return;
        CallResult result = call_guarded("an icon's value routine", call_code(icon->value_routine),
                                         {word(&icon->source)}, Returns::Double);
        if (result.returned)
            icon_values_[element] = result.value;
        else
            stopped = result.stop;
    });
}

void Host::generate_elements(ElementRecord *head, uint32_t host_value) {
    log("GenerateElements", {word(head), host_value});
}

void Host::draw_elements(ElementRecord *head) {
    log("DrawElements", {word(head)});
    const HostImage *background = head ? image(head) : nullptr;
    if (background == nullptr)
        return;
    DrawnPicture &picture = pictures_[head];
    picture.begin(background->bitmap.width, background->bitmap.height);
    for_each_element(head, [&](ElementRecord *element) {
        const HostImage *drawn = image(element);
        if (drawn != nullptr && shown(element))
            picture.add({&drawn->bitmap, element->x, element->y, element != head});
    });
    picture.finish();
}

void Host::compose_pending() const {
    for (const auto &entry : pictures_)
        entry.second.picture();
}

void Host::kill_elements(ElementRecord *head) {
    log("KillElements", {word(head)});
    compose_pending();
    for_each_element(head, [&](ElementRecord *element) {
        *image_word(element) = nullptr;
        images_.erase(element);
        icon_values_.erase(element);
    });
    pictures_.erase(head);
}

void Host::install_mouse(MouseRegion *list, GaugeHeader *gauge, ImageSize *size) {
    log("InstallMouse", {word(list), word(gauge), word(size)});
}

void Host::register_mouse(MouseRegion *list, GaugeHeader *gauge) {
    log("RegisterMouse", {word(list), word(gauge)});
    if (list != nullptr && mouse_region_count(list) < 0)
        stop_gauge_call(("registered a mouse region list without an end in its first " +
                         std::to_string(MAX_MOUSE_REGIONS) + " records")
                            .c_str(),
                        list);
    mouse_.push_back({list, gauge});
}

void Host::forget_gauge(GaugeHeader *gauge) {
    for (auto it = mouse_.begin(); it != mouse_.end();) {
        if (it->gauge == gauge)
            it = mouse_.erase(it);
        else
            ++it;
    }
}

void Host::unregister_mouse(MouseRegion *list, GaugeHeader *gauge) {
    log("UnregisterMouse", {word(list), word(gauge)});
    for (auto it = mouse_.begin(); it != mouse_.end();) {
        if (it->list == list && it->gauge == gauge)
            it = mouse_.erase(it);
        else
            ++it;
    }
}

void Host::send_event(uint32_t event_id, uint32_t value) {
    log("SendEvent", {event_id, value});
    if (on_event)
        on_event(event_id, value);
}

void Host::bind_var(ModuleVar *variable) {
    log("BindVar", {word(variable), variable->token});
    variable->storage = token_storage(variable->token);
    variable->value = token(variable->token);
}

void Host::bind_var_by_name(ModuleVar *variable, const char *name) {
    log("BindVarByName", {word(variable)}, name);
    variable->storage = panel_variable(name);
    if (variable->storage == nullptr && name != nullptr && on_unknown_variable)
        variable->storage = on_unknown_variable(name);
}

void Host::refresh_var(ModuleVar *variable) {
    log("RefreshVar", {word(variable), variable->token});
    variable->value = token(variable->token);
}

MouseRegion *Host::region_at(GaugeHeader *gauge, int x, int y, uint32_t mouse_flags) const {
    for (const MouseRegistration &registration : mouse_) {
        if (registration.gauge != gauge)
            continue;
        if (registration.list == nullptr)
            continue;
        const int count = mouse_region_count(registration.list);
        for (MouseRegion *region = registration.list; region < registration.list + count; ++region) {
            if (region->kind != MOUSE_CHILD || region->handler == nullptr ||
                (region->mouse_flags & mouse_flags) == 0)
                continue;
            if (x < region->x || y < region->y || x >= region->x + region->width ||
                y >= region->y + region->height)
                continue;
            return region;
        }
    }
    return nullptr;
}

std::optional<int32_t> Host::click(GaugeHeader *gauge, int x, int y, uint32_t mouse_flags) {
    MouseRegion *region = region_at(gauge, x, y, mouse_flags);
    if (region == nullptr)
        return std::nullopt;
    ClickPoint point = {x, y};
    CallResult result = call_guarded("its mouse handler", call_code(region->handler), {word(&point), mouse_flags});
    if (!result.returned) {
        stopped = result.stop;
        return std::nullopt;
    }
    return static_cast<int32_t>(result.word);
}

bool Host::shown(const ElementRecord *element) const {
    if (element->draw_flags & DRAW_HIDDEN)
        return false;
    auto value = icon_values_.find(element);
    return value == icon_values_.end() || value->second >= 0.0;
}

const HostImage *Host::image(const ElementRecord *element) const {
    auto found = images_.find(element);
    return found == images_.end() ? nullptr : found->second.get();
}

const Picture *Host::picture(const ElementRecord *head) const {
    auto found = pictures_.find(head);
    return found == pictures_.end() ? nullptr : &found->second.picture();
}

void Host::forget_gauges() {
    mouse_.clear();
    images_.clear();
    icon_values_.clear();
    pictures_.clear();
    calls.clear();
}

}  // namespace panel_host
