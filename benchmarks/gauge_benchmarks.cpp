// Prints the gauge files' figures: file reading, the ignition install, panel
// cycles and click paths, with the machine they were measured on.
// usage: gauge_benchmarks.exe [--quick]   (--quick: a tenth of the repetitions)
#include <windows.h>

#include <cstring>
#include <string>

#include "gauge_benchmarks.h"

namespace {

std::string processor_name() {
    char name[128] = "unknown processor";
    DWORD size = sizeof name;
    RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                 "ProcessorNameString", RRF_RT_REG_SZ, nullptr, name, &size);
    return name;
}

// Wine's version, or empty when not running under Wine.
std::string wine_version() {
    typedef const char *(CDECL * VersionRoutine)(void);
    VersionRoutine version = reinterpret_cast<VersionRoutine>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return version ? version() : "";
}

void print_machine() {
    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    const std::string wine = wine_version();
    std::printf("Gauge benchmarks\n");
    std::printf("  machine: %s, %lu logical processors\n", processor_name().c_str(),
                static_cast<unsigned long>(system.dwNumberOfProcessors));
    std::printf("  running: %s\n",
                wine.empty() ? "on Windows" : ("under Wine " + wine + " (32-bit program)").c_str());
}

}  // namespace

int main(int argc, char **argv) {
    const int scale = argc > 1 && std::strcmp(argv[1], "--quick") == 0 ? 10 : 1;
    print_machine();
    benchmark_wave_file_read(31, 200 / scale);
    benchmark_ignition_install(15, 20 / scale);
    const double updates = benchmark_panel_cycles(31, 100000 / scale);
    benchmark_click_paths(1000 / scale);
    benchmark_guarded_calls(31, 100000 / scale);
    if (updates > 0)
        benchmark_headless_ticks(scale == 1 ? 5 : 3, 1000000 / scale, 400000 / scale, 5000 / scale,
                                 scale == 1 ? 250 : 60, updates);
    return 0;
}
