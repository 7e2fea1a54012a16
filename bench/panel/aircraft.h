// The simulated aircraft behind the bench's host: the tick counter, the
// ignition state that the start and stop events set, and the named panel
// variables the bench provides storage for: every name a gauge binds, or only
// those of a given list. Reports its changes to the trace.
#ifndef BENCH_AIRCRAFT_H
#define BENCH_AIRCRAFT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host.h"
#include "panel_clock.h"
#include "trace.h"

namespace bench {

constexpr uint32_t TICK_TOKEN = 1;        // ticks since the panel started
constexpr uint32_t IGNITION_TOKEN = 131;  // 0 engine off, 1 running
constexpr uint32_t ENGINE_START_EVENT = 0x000101EA;
constexpr uint32_t ENGINE_STOP_EVENT = 0x000101E7;

struct SentEvent {
    uint32_t id;
    uint32_t value;
    unsigned long tick;
};

class Aircraft {
public:
    // With `only_these`, the panel variables are `variables` alone; without,
    // every name a gauge binds is provided when it is first bound.
    Aircraft(panel_host::Host &host, Trace &trace, const std::vector<std::string> &variables,
             bool only_these);

    // Advances the tick counter by one tick.
    void tick();
    unsigned long ticks() const { return ticks_; }

    // Writes the trace lines for the variables that changed since the last call.
    void trace_changes();

    // A token's value, or a named variable's ("131", "batt1_on"); false when
    // `name` is neither a token number nor a provided variable.
    bool read(const std::string &name, double &value) const;
    bool write(const std::string &name, double value);

    const std::vector<SentEvent> &events() const { return events_; }
    // The names bound since the last call that the bench does not provide.
    std::vector<std::string> take_unprovided();
    // "start" or "stop" for the events the aircraft knows, else empty.
    static std::string event_name(uint32_t id);
    // The id of an event named as the trace names it or as a number.
    static bool event_id(const std::string &name, uint32_t &id);

private:
    void on_event(uint32_t id, uint32_t value);
    int32_t *provide(const std::string &name);

    panel_host::Host &host_;
    Trace &trace_;
    unsigned long ticks_ = 0;
    std::vector<SentEvent> events_;
    std::map<uint32_t, double> seen_tokens_;
    // The provided panel variables in the order given, each with its
    // storage, so that the trace of every cycle looks up no name.
    struct Provided {
        std::string name;
        int32_t *storage;
        int32_t seen;  // as last traced
    };
    std::vector<Provided> variables_;
    std::vector<std::string> unprovided_;
};

}  // namespace bench

#endif
