// The guard around calls into gauge files: what a stopped call leaves behind
// (registers, the stack, the fs:[0] chain, the x87 and SSE state), the
// entries of the service table the bench does not offer, C++ exceptions at
// service entries, nested calls, stack overflows, the watchdog, and the
// bounded walks of foreign records.
#include <gtest/gtest.h>
#include <intrin.h>

#include <cstring>
#include <set>
#include <stdexcept>

#include "call_watchdog.h"
#include "foreign_records.h"
#include "gauge_file.h"
#include "gauge_guard.h"
#include "guard_frame.h"
#include "host.h"

using panel_host::CallResult;
using panel_host::call_guarded;

namespace {

std::unique_ptr<panel_host::GaugeFile> load_foreign(const char *name, std::string &error) {
    return panel_host::GaugeFile::load(panel_host::program_folder() + FOREIGN_GAUGES + name + ".gau", error);
}

template <typename Routine>
const void *code_of(Routine *routine) {
    return reinterpret_cast<const void *>(routine);
}

uint32_t exception_chain() { return __readfsdword(0); }

unsigned int mxcsr() {
    unsigned int value = 0;
    __asm__ volatile("stmxcsr %0" : "=m"(value));
    return value;
}

struct Registers {
    uint32_t ebx, esi, edi, ebp, esp, chain;
};

}  // namespace

// probe_guard_call(frame, routine, after): calls guard_call with known values
// in every callee-saved register, and writes them, the stack pointer and
// fs:[0] as guard_call leaves them. ebp is set to the stack pointer of the
// call, so both must come back to that value.
extern "C" int probe_guard_call(panel_host::GuardFrame *frame, const void *routine, Registers *after);
__asm__(
    ".text\n"
    "_probe_guard_call:\n"
    "    pushl %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl 20(%esp), %eax\n"
    "    movl 24(%esp), %ecx\n"
    "    movl $0x11111111, %ebx\n"
    "    movl $0x22222222, %esi\n"
    "    movl $0x33333333, %edi\n"
    "    movl %esp, %ebp\n"
    "    pushl $0\n"
    "    pushl $0\n"
    "    pushl %ecx\n"
    "    pushl %eax\n"
    "    call _guard_call\n"
    "    addl $16, %esp\n"
    "    movl 28(%esp), %ecx\n"
    "    movl %ebx, 0(%ecx)\n"
    "    movl %esi, 4(%ecx)\n"
    "    movl %edi, 8(%ecx)\n"
    "    movl %ebp, 12(%ecx)\n"
    "    movl %esp, 16(%ecx)\n"
    "    movl %fs:0, %edx\n"
    "    movl %edx, 20(%ecx)\n"
    "    popl %edi\n"
    "    popl %esi\n"
    "    popl %ebx\n"
    "    popl %ebp\n"
    "    ret\n");

TEST(GaugeGuard, StoppedCallComesBackWithRegistersStackAndExceptionChainAsBefore) {
    std::string error;
    auto file = load_foreign("fault_in_update", error);
    ASSERT_TRUE(file) << error;
    panel_host::Host host;
    file->connect(host.services());
    GaugeHeader *gauge = file->gauges()[0];
    ASSERT_TRUE(call_guarded("install", code_of(gauge->install), {reinterpret_cast<uint32_t>(file->module())}).returned);
    for (int update = 1; update <= 2; ++update)
        ASSERT_TRUE(call_guarded("update", code_of(gauge->update), {}).returned) << "update " << update;

    // The third update sets every callee-saved register to 0x0BADF00D, then
    // writes through a null pointer.
    const uint32_t chain = exception_chain();
    panel_host::GuardFrame frame = {};
    frame.routine = "update";
    frame.code = code_of(gauge->update);
    Registers after = {};
    EXPECT_EQ(1, probe_guard_call(&frame, code_of(gauge->update), &after));
    EXPECT_EQ(0x11111111u, after.ebx);
    EXPECT_EQ(0x22222222u, after.esi);
    EXPECT_EQ(0x33333333u, after.edi);
    EXPECT_EQ(after.esp, after.ebp) << "the stack and its frame pointer as before the call";
    EXPECT_EQ(chain, after.chain) << "fs:[0] as before the call";
    EXPECT_EQ(chain, exception_chain());
    EXPECT_EQ(panel_host::StopKind::Exception, frame.stop);
    EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), frame.exception);
    EXPECT_FALSE(panel_host::in_gauge_call());
}

TEST(GaugeGuard, StopNamesTheExceptionAndThePlaceInTheGaugeFile) {
    std::string error;
    auto file = load_foreign("divide_by_zero", error);
    ASSERT_TRUE(file) << error;
    panel_host::Host host;
    file->connect(host.services());
    GaugeHeader *gauge = file->gauges()[0];
    ASSERT_TRUE(call_guarded("update", code_of(gauge->update), {}).returned);
    const CallResult second = call_guarded("update", code_of(gauge->update), {});
    ASSERT_FALSE(second.returned);
    EXPECT_EQ("update", second.stop.routine);
    EXPECT_EQ("integer division by zero", second.stop.reason);
    EXPECT_EQ(0u, second.stop.where.find("divide_by_zero.gau+0x")) << second.stop.where;
}

namespace {
int32_t HOST_CALL answers_41() { return 41; }
double HOST_CALL halves(ModuleVar *variable) { return variable->value / 2; }
}  // namespace

TEST(GaugeGuard, ResultsOfRoutinesThatReturn) {
    const CallResult word = call_guarded("query", code_of(&answers_41), {});
    ASSERT_TRUE(word.returned);
    EXPECT_EQ(41u, word.word);
    ModuleVar variable = {};
    variable.value = 5.0;
    const CallResult value =
        call_guarded("value", code_of(&halves), {reinterpret_cast<uint32_t>(&variable)}, panel_host::Returns::Double);
    ASSERT_TRUE(value.returned);
    EXPECT_EQ(2.5, value.value);
}

TEST(GaugeGuard, X87ControlWordAndMxcsrRestoredAroundEveryCall) {
    std::string error;
    auto file = load_foreign("fpu_control", error);
    ASSERT_TRUE(file) << error;
    panel_host::Host host;
    file->connect(host.services());
    const unsigned int control = _control87(0, 0);
    const unsigned int sse = mxcsr();
    ASSERT_TRUE(call_guarded("update", code_of(file->gauges()[0]->update), {}).returned);
    EXPECT_EQ(control, _control87(0, 0));
    EXPECT_EQ(sse, mxcsr());
    volatile double one = 1.0, three = 3.0;
    const double third = one / three;
    uint64_t bits = 0;
    memcpy(&bits, &third, sizeof bits);
    EXPECT_EQ(0x3FD5555555555555ull, bits) << "doubles at full precision, rounded to nearest";
}

namespace {

const DWORD UNWINDING = EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND;
int asked_to_handle = 0, unwound = 0;

EXCEPTION_DISPOSITION __cdecl handle_everything(EXCEPTION_RECORD *record, void *, CONTEXT *, void *) {
    if (record->ExceptionFlags & UNWINDING) {
        ++unwound;
        return ExceptionContinueSearch;
    }
    ++asked_to_handle;
    return ExceptionContinueExecution;
}

struct Registration {
    uint32_t next;
    void *handler;
};

// A gauge routine with a handler of its own that would swallow any
// exception; it calls service position 5.
void HOST_CALL calls_position_5_under_its_own_handler() {
    Registration registration = {exception_chain(), reinterpret_cast<void *>(&handle_everything)};
    __writefsdword(0, reinterpret_cast<uint32_t>(&registration));
    typedef void(HOST_CALL * Entry)(void);
    reinterpret_cast<Entry *>(panel_host::Host::active()->services())[5]();
    __writefsdword(0, registration.next);
}

}  // namespace

TEST(GaugeGuard, EveryPositionTheBenchDoesNotOfferStopsTheCallerNamingIt) {
    panel_host::Host host;
    void **entries = reinterpret_cast<void **>(host.services());
    const std::set<int> offered = {24, 25, 26, 27, 28, 29, 31, 32, 33, 34, 36, 38, 39, 40};
    for (int position = 0; position < panel_host::SERVICE_TABLE_ENTRIES; ++position) {
        ASSERT_NE(nullptr, entries[position]) << "position " << position;
        if (offered.count(position))
            continue;
        const CallResult result = call_guarded("install", entries[position], {1, 2, 3});
        ASSERT_FALSE(result.returned) << "position " << position;
        EXPECT_EQ("called the host's service at position " + std::to_string(position) +
                      ", which the bench does not offer",
                  result.stop.reason);
    }
}

TEST(GaugeGuard, NoHandlerOfTheGaugeSwallowsAnUnofferedService) {
    panel_host::Host host;
    asked_to_handle = unwound = 0;
    const uint32_t chain = exception_chain();
    const CallResult result = call_guarded("install", code_of(&calls_position_5_under_its_own_handler), {});
    EXPECT_FALSE(result.returned);
    EXPECT_EQ(0, asked_to_handle);
    EXPECT_EQ(1, unwound) << "the gauge's frame is unwound";
    EXPECT_EQ(chain, exception_chain());
    EXPECT_NE(std::string::npos, result.stop.reason.find("position 5"));
}

namespace {
void HOST_CALL sends_an_event() { panel_host::Host::active()->services()->SendEvent(7, 8); }
}  // namespace

TEST(GaugeGuard, CppExceptionAtAServiceEntryStopsTheGaugeInstead) {
    panel_host::Host host;
    host.on_event = [](uint32_t, uint32_t) { throw std::runtime_error("no room for the event"); };
    const CallResult result = call_guarded("update", code_of(&sends_an_event), {});
    ASSERT_FALSE(result.returned);
    EXPECT_EQ("its call of SendEvent failed in the bench: no room for the event", result.stop.reason);
    host.on_event = nullptr;
    EXPECT_TRUE(call_guarded("update", code_of(&sends_an_event), {}).returned) << "the bench goes on";
}

namespace {

double HOST_CALL faulting_value(ModuleVar *) { return *static_cast<volatile double *>(nullptr); }
IconElement faulty_icon = {};
void HOST_CALL updates_its_icon() { panel_host::Host::active()->services()->UpdateElements(&faulty_icon.element); }

}  // namespace

TEST(GaugeGuard, StopInANestedCallStopsTheOutermostCall) {
    panel_host::Host host;
    faulty_icon.element.kind = ELEMENT_ICON;
    faulty_icon.value_routine = &faulting_value;
    const CallResult result = call_guarded("update", code_of(&updates_its_icon), {});
    ASSERT_FALSE(result.returned);
    EXPECT_EQ("an icon's value routine", result.stop.routine);
    EXPECT_EQ("access violation reading 0x00000000", result.stop.reason);
    EXPECT_FALSE(host.stopped) << "the outer call stopped, not the service";
    EXPECT_FALSE(panel_host::in_gauge_call());
}

#pragma GCC diagnostic ignored "-Winfinite-recursion"
namespace {
// A frame of a page or more is probed page by page before the stack pointer
// moves; a smaller one moves it first and touches the guard page after.
int __attribute__((noinline)) HOST_CALL recurse_in_pages(int depth) {
    volatile char page[4096];
    page[0] = static_cast<char>(depth);
    return recurse_in_pages(depth + 1) + page[0];
}
int __attribute__((noinline)) HOST_CALL recurse_in_half_pages(int depth) {
    volatile char page[2048];
    page[0] = static_cast<char>(depth);
    return recurse_in_half_pages(depth + 1) + page[0];
}

bool under_wow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

void expect_three_overflows_stopped(const void *recursion) {
    for (int overflow = 1; overflow <= 3; ++overflow) {
        const CallResult result = call_guarded("update", recursion, {0});
        ASSERT_FALSE(result.returned) << "overflow " << overflow;
        EXPECT_EQ("stack overflow", result.stop.reason) << "overflow " << overflow;
    }
}
}  // namespace

TEST(GaugeGuard, StackOverflowStopsTheCallAndTheGuardPageIsRestored) {
    expect_three_overflows_stopped(code_of(&recurse_in_pages));
}

TEST(GaugeGuard, StackOverflowInFramesUnderAPageStopsTheCall) {
    // WoW64's Wine ends the process on such an overflow: the 32-bit
    // exception's dispatch finds no room left below the stack pointer.
    if (under_wow64())
        GTEST_SKIP() << "under WoW64 an overflow with the stack pointer in the last page ends the process";
    expect_three_overflows_stopped(code_of(&recurse_in_half_pages));
}

namespace {
volatile bool spinning = false;
void HOST_CALL spins_for_ever() {
    spinning = true;
    for (;;) {
    }
}
}  // namespace

TEST(GaugeGuard, WatchdogAbandonsACallBusyInItsOwnCode) {
    bool hung = false;
    panel_host::CallWatchdog watchdog(0.3, [&](const panel_host::CallStop &) { hung = true; });
    const DWORD started = GetTickCount();
    const CallResult result = call_guarded("update", code_of(&spins_for_ever), {});
    ASSERT_FALSE(result.returned);
    EXPECT_TRUE(spinning);
    EXPECT_FALSE(hung);
    EXPECT_EQ("did not return within 0.3 s: busy in its own code", result.stop.reason);
    EXPECT_GE(GetTickCount() - started, 250u);
    EXPECT_TRUE(call_guarded("query", code_of(&answers_41), {}).returned) << "calls go on after";
}

namespace {
LRESULT CALLBACK faults_on_user_messages(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER)
        *static_cast<volatile int *>(nullptr) = 1;
    return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

TEST(GaugeGuard, WindowProcedureReachedByDispatchIsGuardedAndThenLeftOut) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = &faults_on_user_messages;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "guard test window";
    ASSERT_TRUE(RegisterClassA(&window_class));
    HWND window = CreateWindowA("guard test window", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                window_class.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    MSG message = {window, WM_USER, 0, 0, 0, {0, 0}};
    const CallResult first = panel_host::dispatch_guarded(message);
    ASSERT_FALSE(first.returned);
    EXPECT_EQ("its window procedure", first.stop.routine);
    EXPECT_EQ("access violation writing 0x00000000", first.stop.reason);
    EXPECT_TRUE(panel_host::dispatch_guarded(message).returned) << "DefWindowProc answers from then on";
    DestroyWindow(window);
    UnregisterClassA("guard test window", window_class.hInstance);
}

namespace {
DWORD WINAPI loads_a_gauge_file(void *) {
    std::string why;
    return load_foreign("well_formed", why) ? 1 : 0;
}
}  // namespace

TEST(GaugeGuard, EntryPointFaultFailsTheLoadAndLeavesTheLoaderFree) {
    std::string error;
    EXPECT_FALSE(load_foreign("dllmain_fault", error));
    EXPECT_NE(std::string::npos,
              error.find("its entry point faulted as the file loaded (access violation writing 0x00000000 at "
                         "dllmain_fault.gau+0x"))
        << error;
    // Another thread can load a library: the loader lock is not held.
    HANDLE loader = CreateThread(nullptr, 0, &loads_a_gauge_file, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, loader);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(loader, 10000));
    DWORD loaded = 0;
    GetExitCodeThread(loader, &loaded);
    EXPECT_EQ(1u, loaded);
    CloseHandle(loader);
}

TEST(ForeignRecords, ElementTreesOfOtherKindsOrWithoutEndAreRefused) {
    StaticImageElement head = {};
    ElementRecord strange = {};
    strange.kind = 2;
    strange.image = 0x101;
    ElementRecord *children[] = {&strange, nullptr};
    head.element.children = children;
    EXPECT_EQ("its element with bitmap 0x101 is of kind 2; the bench draws static images (kind 0) and icons (kind 4) only",
              panel_host::element_tree_problem(&head.element));

    ElementRecord *itself[] = {&head.element, nullptr};
    head.element.children = itself;
    EXPECT_NE(std::string::npos, panel_host::element_tree_problem(&head.element).find("more than 16 levels deep"));
    int visited = 0;
    panel_host::for_each_element(&head.element, [&](ElementRecord *) { ++visited; });
    EXPECT_EQ(panel_host::MAX_ELEMENT_DEPTH, visited) << "a cyclic child list ends at the depth bound";
}

namespace {
void HOST_CALL registers(MouseRegion *list) { panel_host::Host::active()->services()->RegisterMouse(list, nullptr); }
}  // namespace

TEST(ForeignRecords, MouseListWithoutEndStopsTheGaugeRegisteringIt) {
    panel_host::Host host;
    static MouseRegion endless[panel_host::MAX_MOUSE_REGIONS + 1];
    for (MouseRegion &region : endless)
        region.kind = MOUSE_CHILD;
    endless[panel_host::MAX_MOUSE_REGIONS].kind = MOUSE_END_OF_LIST;
    const CallResult result = call_guarded("initialize", code_of(&registers), {reinterpret_cast<uint32_t>(endless)});
    ASSERT_FALSE(result.returned);
    EXPECT_EQ("registered a mouse region list without an end in its first 256 records", result.stop.reason);
    EXPECT_TRUE(host.mouse_registrations().empty());
    endless[panel_host::MAX_MOUSE_REGIONS - 1].kind = MOUSE_END_OF_LIST;
    EXPECT_EQ(panel_host::MAX_MOUSE_REGIONS - 1, panel_host::mouse_region_count(endless));
}
