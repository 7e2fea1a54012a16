// A gauge file as another maker might write one, for the bench to host: a
// background with one icon over it and a click region, driven through the
// host's services. One definition picks how it misbehaves:
//   FAULT_IN_UPDATE    its third update trashes the callee-saved registers
//                      and writes through a null pointer
//   UNOFFERED_SERVICE  its install calls the service table at position 5
//   BUSY_UPDATE        its fifth update never returns, busy in its own code
//   SLEEPING_UPDATE    its fifth update sleeps for ever
//   KIND_TWO           its background has a child element of kind 2
//   MESSAGE_BOXES      its install opens a message box, its first update another
//   DLLMAIN_FAULT      its entry point faults when the file is loaded
//   STACK_OVERFLOW     its second update recurses without end
//   CPP_EXCEPTION      its install binds a variable by a null name
//   DIVIDE_BY_ZERO     its second update divides by zero
//   FPU_CONTROL        every update changes the x87 control word and MXCSR
//   PUMPS_MESSAGES     every update runs a message loop of its own for 150 ms,
//                      and says in its debug output if it is entered again
//   WINDOW_FAULT       its install makes a window of its own and posts it a
//                      message on which its window procedure faults
//   LOOPING_SOUND      its install starts a looping tone on its own sound
//                      device; its third update faults
//   ENDLESS_LIST       its Linkage lists its header 300 times with no end
//   TAIL_CALLS         its generate routine ends in a jump to
//                      OutputDebugStringA, its query in one to MessageBoxA,
//                      as optimising compilers make last calls
// With none of them it is well-formed and runs.
#include <windows.h>

#if defined(LOOPING_SOUND)
#include <mmsystem.h>
#include <dsound.h>
#endif

#include "host_services.h"

namespace {

const uint32_t FACE_BITMAP = 0x100;
const uint32_t LAMP_BITMAP = 0x101;  // the icon draws the face again
const uint32_t CLICK_EVENT = 0x00011000;

extern GaugeHeader header;

HostServices *services();

double HOST_CALL lamp_value(ModuleVar *) { return 0.0; }

IconElement lamp = {
    {ELEMENT_ICON, LAMP_BITMAP, 4, 4, {}, &header, 0, nullptr, nullptr, 0, {}},
    {0, nullptr, 0, 0.0, 0.0}, &lamp_value, {}, 0, {}};
#if defined(KIND_TWO)
// Words 0-14 only: the bench must refuse the kind before reading further.
ElementRecord strange = {2, LAMP_BITMAP, 2, 2, {}, &header, 0, nullptr, nullptr, 0, {}};
ElementRecord *face_children[] = {&lamp.element, &strange, nullptr};
#else
ElementRecord *face_children[] = {&lamp.element, nullptr};
#endif
StaticImageElement face = {{ELEMENT_STATIC_IMAGE, FACE_BITMAP, 0, 0, {}, &header, 0, face_children, nullptr, 0, {}},
                           nullptr, {}};
ElementRecord *elements[] = {&face.element, nullptr};

int32_t HOST_CALL clicked(ClickPoint *, uint32_t) {
    services()->SendEvent(CLICK_EVENT, 1);
    return 0;
}

MouseRegion mouse[] = {
    {MOUSE_PARENT_BEGIN, 0, 0, 32, 24, MOUSE_CURSOR_NONE, 0, 0, 0, nullptr, nullptr},
    {MOUSE_CHILD, 0, 0, 32, 24, MOUSE_CURSOR_HAND, 0, MOUSE_LEFT_SINGLE, 0, &clicked, nullptr},
    {MOUSE_PARENT_END, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
    {MOUSE_END_OF_LIST, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
};

int updates = 0;
ModuleVar tick_count = {1, nullptr, 0, 0.0, 0.0};

#if defined(STACK_OVERFLOW)
// Each level keeps a page of its own on the stack, so the recursion cannot be
// made a loop.
int __attribute__((noinline)) recurse(volatile int depth) {
    volatile char page[4096];
    page[0] = static_cast<char>(depth);
    return recurse(depth + 1) + page[0];
}
#endif

#if defined(WINDOW_FAULT)
LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER)
        *static_cast<volatile int *>(nullptr) = 1;
    return DefWindowProcA(window, message, wparam, lparam);
}

void make_window(HINSTANCE instance) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = &window_procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = "foreign gauge window";
    RegisterClassA(&window_class);
    HWND window = CreateWindowA("foreign gauge window", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, instance, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
}
#endif

#if defined(PUMPS_MESSAGES)
int inside_update = 0;

void pump_messages(DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}
#endif

#if defined(LOOPING_SOUND)
IDirectSound *sound_device = nullptr;
IDirectSoundBuffer *tone = nullptr;

// A second of a 441 Hz square wave, 8-bit mono, played in a loop.
void start_tone() {
    if (FAILED(DirectSoundCreate(nullptr, &sound_device, nullptr)))
        return;
    sound_device->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL);
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 22050, 22050, 1, 8, 0};
    DSBUFFERDESC description = {sizeof description, 0, 22050, 0, &format, {}};
    if (FAILED(sound_device->CreateSoundBuffer(&description, &tone, nullptr)))
        return;
    void *bytes = nullptr;
    DWORD length = 0;
    if (SUCCEEDED(tone->Lock(0, 22050, &bytes, &length, nullptr, nullptr, 0))) {
        for (DWORD i = 0; i < length; ++i)
            static_cast<BYTE *>(bytes)[i] = (i / 25) % 2 ? 0xC0 : 0x40;
        tone->Unlock(bytes, length, nullptr, 0);
    }
    tone->Play(0, 0, DSBPLAY_LOOPING);
}
#endif

int32_t HOST_CALL query() { return 0; }

void HOST_CALL install(ModuleHandle resources) {
#if defined(UNOFFERED_SERVICE)
    typedef void(HOST_CALL * Entry)(void);
    reinterpret_cast<Entry *>(services())[5]();
#endif
#if defined(CPP_EXCEPTION)
    ModuleVar named = {};
    services()->BindVarByName(&named, nullptr);
#endif
#if defined(MESSAGE_BOXES)
    if (MessageBoxA(nullptr, "This gauge is not registered.", "Register", MB_OK) != IDOK)
        return;
#endif
#if defined(WINDOW_FAULT)
    make_window(static_cast<HINSTANCE>(resources));
#endif
#if defined(LOOPING_SOUND)
    start_tone();
#endif
    services()->InstallElements(elements[0], resources);
}

void HOST_CALL initialize() {
    services()->InitElements(elements[0]);
    services()->BindVar(&tick_count);
    services()->RegisterMouse(mouse, &header);
}

void HOST_CALL update() {
    ++updates;
#if defined(FAULT_IN_UPDATE) || defined(LOOPING_SOUND)
    if (updates == 3)
        __asm__ volatile(
            "movl $0x0BADF00D, %%ebx\n"
            "movl %%ebx, %%esi\n"
            "movl %%ebx, %%edi\n"
            "movl %%ebx, %%ebp\n"
            "xorl %%eax, %%eax\n"
            "movl %%eax, (%%eax)\n" ::
                : "eax", "ebx", "esi", "edi", "memory");
#endif
#if defined(BUSY_UPDATE)
    if (updates == 5)
        for (volatile unsigned spin = 0;; spin = spin + 1) {
        }
#endif
#if defined(SLEEPING_UPDATE)
    if (updates == 5)
        Sleep(INFINITE);
#endif
#if defined(MESSAGE_BOXES)
    if (updates == 1)
        MessageBoxW(nullptr, L"Trial version: 30 days left.", L"Trial", MB_OK | MB_ICONWARNING);
#endif
#if defined(STACK_OVERFLOW)
    if (updates == 2)
        recurse(0);
#endif
#if defined(DIVIDE_BY_ZERO)
    volatile int divisor = updates == 2 ? 0 : 1;
    volatile int quotient = 100 / divisor;
    (void)quotient;
#endif
#if defined(FPU_CONTROL)
    // Single precision and rounding towards zero, as some runtimes leave the
    // x87 unit; flush-to-zero and rounding down in MXCSR.
    unsigned short control = 0x0C7F;
    unsigned int sse = 0xBF80;
    __asm__ volatile("fldcw %0" ::"m"(control));
    __asm__ volatile("ldmxcsr %0" ::"m"(sse));
#endif
#if defined(PUMPS_MESSAGES)
    if (inside_update > 0)
        OutputDebugStringA("update entered again from its own message loop\n");
    ++inside_update;
    pump_messages(150);
    --inside_update;
#endif
    services()->UpdateElements(elements[0]);
}

#if defined(TAIL_CALLS)
}  // namespace
// Each replaces its arguments with its own and jumps: the call returns
// straight to the host, which is what the host sees of a last call made so.
extern "C" const char tail_text[] = "generated";
extern "C" const char tail_caption[] = "Tail";
extern "C" void HOST_CALL generate_by_jump(uint32_t);
extern "C" int32_t HOST_CALL query_by_jump();
__asm__(".text\n"
        "_generate_by_jump@4:\n"
        "    movl $_tail_text, 4(%esp)\n"
        "    jmp *__imp__OutputDebugStringA@4\n"
        "_query_by_jump@0:\n"
        "    popl %eax\n"
        "    pushl $0\n"
        "    pushl $_tail_caption\n"
        "    pushl $_tail_text\n"
        "    pushl $0\n"
        "    pushl %eax\n"
        "    jmp *__imp__MessageBoxA@16\n");
namespace {
#define GENERATE_ROUTINE generate_by_jump
#define QUERY_ROUTINE query_by_jump
#else
#define GENERATE_ROUTINE generate
#define QUERY_ROUTINE query
#endif
void HOST_CALL generate(uint32_t value) { services()->GenerateElements(elements[0], value); }
void HOST_CALL draw() { services()->DrawElements(elements[0]); }

void HOST_CALL kill() {
    services()->UnregisterMouse(mouse, &header);
    services()->KillElements(elements[0]);
}

GaugeHeader header = {GAUGE_HEADER_VERSION, GAUGE_NAME, elements, &QUERY_ROUTINE, &install, &initialize, &update,
                      &GENERATE_ROUTINE, &draw, &kill, 0, 32, {}};

}  // namespace

extern "C" {
__declspec(dllexport) ModuleImports ImportTable = {{IMPORT_PANEL_SERVICES, nullptr}, {0, nullptr}};
#if defined(ENDLESS_LIST)
// The host's Linkage words, its gauge list running on past the record.
struct EndlessLinkage {
    uint32_t words[6];
    GaugeHeader *gauges[300];
};
__declspec(dllexport) EndlessLinkage Linkage = [] {
    EndlessLinkage linkage = {{MODULE_ID, 0, 0, 0, 0, 0}, {}};
    for (GaugeHeader *&entry : linkage.gauges)
        entry = &header;
    return linkage;
}();
#else
__declspec(dllexport) ModuleLinkage Linkage = {MODULE_ID, nullptr, nullptr, 0, 0, 0, {&header, nullptr}};
#endif
}

namespace {
HostServices *services() { return static_cast<HostServices *>(ImportTable.panel_services.pointer); }
}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
#if defined(DLLMAIN_FAULT)
    if (reason == DLL_PROCESS_ATTACH)
        *static_cast<volatile int *>(nullptr) = 1;
#endif
    (void)reason;
    return TRUE;
}
