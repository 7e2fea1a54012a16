#include "aircraft.h"

#include <algorithm>
#include <cstdlib>

namespace bench {

namespace {

bool token_number(const std::string &name, uint32_t &token) {
    if (name.empty())
        return false;
    char *end = nullptr;
    unsigned long number = std::strtoul(name.c_str(), &end, 0);
    if (*end != 0 || number == 0 || number > 0xFFFFFFFFul)
        return false;
    token = static_cast<uint32_t>(number);
    return true;
}

std::string token_label(uint32_t token) {
    if (token == IGNITION_TOKEN)
        return "ignition state (token 131)";
    if (token == TICK_TOKEN)
        return "tick counter (token 1)";
    return "token " + std::to_string(token);
}

}  // namespace

Aircraft::Aircraft(panel_host::Host &host, Trace &trace, const std::vector<std::string> &variables,
                   bool only_these)
    : host_(host), trace_(trace) {
    for (const std::string &name : variables)
        if (host_.panel_variable(name) == nullptr)
            provide(name);
    host_.on_unknown_variable = [this, only_these](const std::string &name) -> int32_t * {
        if (!only_these)
            return provide(name);
        if (std::find(unprovided_.begin(), unprovided_.end(), name) == unprovided_.end())
            unprovided_.push_back(name);
        return nullptr;
    };
    host_.set_token(TICK_TOKEN, 0.0);
    host_.set_token(IGNITION_TOKEN, 0.0);
    seen_tokens_[IGNITION_TOKEN] = 0.0;
    host_.on_event = [this](uint32_t id, uint32_t value) { on_event(id, value); };
}

int32_t *Aircraft::provide(const std::string &name) {
    int32_t *storage = host_.provide_panel_variable(name);
    variables_.push_back({name, storage, 0});
    return storage;
}

std::vector<std::string> Aircraft::take_unprovided() {
    std::vector<std::string> names;
    names.swap(unprovided_);
    return names;
}

void Aircraft::tick() {
    ++ticks_;
    trace_.tick = ticks_;
    host_.set_token(TICK_TOKEN, static_cast<double>(ticks_));
}

void Aircraft::on_event(uint32_t id, uint32_t value) {
    events_.push_back({id, value, ticks_});
    char text[96];
    std::string name = event_name(id);
    snprintf(text, sizeof text, "event 0x%08X%s value %u", static_cast<unsigned>(id),
             name.empty() ? " (unknown to the aircraft)" : (" (" + name + ")").c_str(),
             static_cast<unsigned>(value));
    trace_.line(text);
    if (id == ENGINE_START_EVENT)
        host_.set_token(IGNITION_TOKEN, 1.0);
    else if (id == ENGINE_STOP_EVENT)
        host_.set_token(IGNITION_TOKEN, 0.0);
}

void Aircraft::trace_changes() {
    for (auto &seen : seen_tokens_) {
        double now = host_.token(seen.first);
        if (now != seen.second)
            trace_.line(token_label(seen.first) + " " + format_value(seen.second) + " -> " +
                        format_value(now));
        seen.second = now;
    }
    // Variables that changed alike in one cycle share a line.
    std::map<std::pair<int32_t, int32_t>, std::vector<std::string>> changes;
    for (Provided &variable : variables_) {
        const int32_t now = *variable.storage;
        if (now != variable.seen)
            changes[{variable.seen, now}].push_back(variable.name);
        variable.seen = now;
    }
    for (const auto &change : changes) {
        std::string names;
        for (const std::string &name : change.second)
            names += (names.empty() ? "" : " ") + name;
        std::string count = change.second.size() > 1
                                ? std::to_string(change.second.size()) + " variables "
                                : std::string("variable ");
        trace_.line(count + std::to_string(change.first.first) + " -> " +
                    std::to_string(change.first.second) + ": " + names);
    }
}

bool Aircraft::read(const std::string &name, double &value) const {
    uint32_t token = 0;
    if (token_number(name, token)) {
        value = host_.token(token);
        return true;
    }
    int32_t *storage = host_.panel_variable(name);
    if (storage == nullptr)
        return false;
    value = *storage;
    return true;
}

bool Aircraft::write(const std::string &name, double value) {
    uint32_t token = 0;
    if (token_number(name, token)) {
        host_.set_token(token, value);
        if (token != TICK_TOKEN)
            seen_tokens_.emplace(token, 0.0);
        if (token == TICK_TOKEN) {
            ticks_ = static_cast<unsigned long>(value);
            trace_.tick = ticks_;
        }
        return true;
    }
    int32_t *storage = host_.panel_variable(name);
    if (storage == nullptr)
        return false;
    *storage = static_cast<int32_t>(value);
    return true;
}

std::string Aircraft::event_name(uint32_t id) {
    if (id == ENGINE_START_EVENT)
        return "start";
    if (id == ENGINE_STOP_EVENT)
        return "stop";
    return std::string();
}

bool Aircraft::event_id(const std::string &name, uint32_t &id) {
    if (name == "start")
        id = ENGINE_START_EVENT;
    else if (name == "stop")
        id = ENGINE_STOP_EVENT;
    else
        return token_number(name, id);
    return true;
}

}  // namespace bench
