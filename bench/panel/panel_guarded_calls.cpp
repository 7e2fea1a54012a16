// The panel's calls into its gauges, each guarded, and what becomes of a
// gauge whose call is stopped: a fault, a service the bench does not offer, a
// call the watchdog abandons. Also the walk of each gauge's element tree
// before it runs, and the messages for windows of a gauge file's own.
#include "panel.h"

#include <windows.h>

#include <algorithm>

#include "foreign_records.h"

namespace bench {

namespace {

using panel_host::call_code;
using panel_host::call_word;

// The element tree's problem, read under the guard: the records are the gauge file's.
struct TreeCheck {
    ElementRecord *head;
    std::string problem;
};
void HOST_CALL check_tree(TreeCheck *check) { check->problem = panel_host::element_tree_problem(check->head); }

}  // namespace

void Panel::check_records(PlacedGauge &gauge, std::vector<std::string> &notes) {
    TreeCheck check{gauge.head(), ""};
    panel_host::CallResult result =
        panel_host::call_guarded("the walk of its element tree", call_code(&check_tree), {call_word(&check)});
    if (!result.returned)
        gauge.not_run = "its element records cannot be read: " + result.stop.reason;
    else if (!check.problem.empty())
        gauge.not_run = check.problem + ", so the gauge does not run";
    else if (gauge.header->version != GAUGE_HEADER_VERSION)
        notes.push_back(gauge.place + " (" + gauge.label + "): its header is of version " +
                         std::to_string(gauge.header->version) + ", not " + std::to_string(GAUGE_HEADER_VERSION) +
                         "; the bench runs it the same way");
}

bool Panel::call(PlacedGauge &gauge, const char *routine, const void *code, std::initializer_list<uint32_t> args) {
    if (code == nullptr)
        return true;
    calling_ = &gauge;
    panel_host::CallResult result = panel_host::call_guarded(routine, code, args);
    calling_ = nullptr;
    if (!result.returned)
        stop_gauge(gauge, result.stop);
    return result.returned;
}

void Panel::stop_gauge(PlacedGauge &gauge, const panel_host::CallStop &stop) {
    std::string what = stop.reason + (stop.where.empty() ? "" : " at " + stop.where);
    gauge.not_run = "stopped in " + stop.routine + " at tick " + std::to_string(aircraft_.ticks()) + ": " + what;
    stopped_[&gauge] = gauge.label + ": stopped";
    host_.forget_gauge(gauge.header);
    trace_.line(gauge.label + ": stopped in " + stop.routine + ": " + what);
    // Its sounds, on whatever device its recorder forwards to.
    int stopped_sounds = 0;
    if (SoundRecorder *recorder = SoundRecorder::of_module(gauge.file->module()))
        for (const auto &buffer : recorder->buffers) {
            DWORD status = 0;
            if (buffer->references > 0 && buffer->real != nullptr && SUCCEEDED(buffer->real->GetStatus(&status)) &&
                (status & DSBSTATUS_PLAYING)) {
                buffer->real->Stop();
                ++stopped_sounds;
            }
        }
    if (stopped_sounds > 0)
        trace_.line(gauge.label + ": its sound stopped (" + std::to_string(stopped_sounds) + " buffer(s) playing)");
    trace_.warning(gauge.place + " (" + gauge.label + ") " + gauge.not_run +
                   "; the bench calls it no more and shows a placeholder there");
}

void Panel::call_linkage(bool start) {
    std::vector<HMODULE> called;
    for (PlacedGauge &gauge : gauges_) {
        if (!gauge.runs() || std::find(called.begin(), called.end(), gauge.file->module()) != called.end())
            continue;
        called.push_back(gauge.file->module());
        ModuleLinkage *linkage = gauge.file->linkage();
        const void *routine = call_code(start ? linkage->module_start : linkage->module_end);
        const char *name = start ? "Linkage's start routine" : "Linkage's end routine";
        if (routine == nullptr)
            continue;
        panel_host::CallResult result = panel_host::call_guarded(name, routine, {});
        if (result.returned)
            continue;
        for (PlacedGauge &sharer : gauges_)
            if (sharer.runs() && sharer.file == gauge.file)
                stop_gauge(sharer, result.stop);
    }
}

bool Panel::dispatch_to_gauge_window(const MSG &message) {
    if (message.hwnd == nullptr)
        return false;
    const HMODULE owner = reinterpret_cast<HMODULE>(GetClassLongPtrA(message.hwnd, GCLP_HMODULE));
    PlacedGauge *owning = nullptr;
    for (PlacedGauge &gauge : gauges_)
        if (gauge.file != nullptr && gauge.file->module() == owner && (owning == nullptr || gauge.runs()))
            owning = &gauge;
    if (owning == nullptr)
        return false;
    calling_ = owning;
    const panel_host::CallResult result = panel_host::dispatch_guarded(message);
    calling_ = nullptr;
    if (!result.returned)
        for (PlacedGauge &gauge : gauges_)
            if (gauge.runs() && gauge.file == owning->file)
                stop_gauge(gauge, result.stop);
    return true;
}

void Panel::end_hung_run(const panel_host::CallStop &stop) {
    const PlacedGauge *gauge = calling_;
    const std::string who = gauge == nullptr ? std::string("a gauge") : gauge->place + " (" + gauge->label + ")";
    const std::string what = stop.routine + " at tick " + std::to_string(aircraft_.ticks()) + " " + stop.reason +
                             " (at " + stop.where + ")";
    trace_.line((gauge == nullptr ? std::string("a gauge") : gauge->label) + ": " + what + "; the run ends");
    trace_.warning(who + ": " + what + "; the run ends without killing the gauges (exit status 3)");
    std::string error;
    if (!sound_track_.close(error))
        fprintf(stderr, "bench: %s\n", error.c_str());
    fflush(stdout);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;)
        Sleep(INFINITE);
}

}  // namespace bench
