# add_gauge_module(NAME SOURCES... RESOURCES rc-file DEF def-file)
# Builds a gauge file NAME.gau with its own copy of the frame built in.
#
# A gauge file runs inside the simulator's process on Pentium (P54C) and K6
# machines under Windows 95 and later. Its code is compiled for the i586 and
# linked without the C runtime's start-up objects and libraries: the module's
# DllMain is the entry point, only system import libraries are linked, and
# anything else the module would need from a runtime (a libgcc helper such as
# 64-bit division, a stack probe, atexit, a static constructor, TLS) fails the
# link instead of being left out. The linker map beside the file names what
# lies where in its code, for tests/gauge_files/. The linker stamps the PE
# header and the export directory with the release time (SOURCE_DATE_EPOCH,
# which binutils' ld reads, set to PANEL_RELEASE_TIME) instead of the clock,
# and computes the PE checksum over that: a rebuild makes the same bytes.
set(GAUGE_FRAME_DIR ${CMAKE_SOURCE_DIR}/frame)

# The modules use no exceptions or run-time type information, and no GNU extensions.
set(GAUGE_MODULE_FLAGS -std=c++17 -fno-exceptions -fno-rtti -Wall -Wextra -Wpedantic -Werror
    -Wno-missing-field-initializers  # host words are left to zero initialisation
    -march=i586 -mtune=pentium -Wa,-march=i586  # no P6 instruction, nor NOP forms of it
    -fno-asynchronous-unwind-tables -fno-ident)  # no unwind tables, no compiler stamp

# The system DLLs a gauge file may import from; the linker takes only the
# functions the module calls.
set(GAUGE_SYSTEM_LIBRARIES kernel32 user32 winmm dsound)

# memcpy and memset, built once. Loop-idiom recognition would turn their loops
# into calls to themselves; memcpy's word copies read bytes of any type.
add_library(gauge_module_memory OBJECT ${GAUGE_FRAME_DIR}/module_memory.cpp)
target_compile_options(gauge_module_memory PRIVATE ${GAUGE_MODULE_FLAGS}
    -fno-tree-loop-distribute-patterns -fno-strict-aliasing)
set_target_properties(gauge_module_memory PROPERTIES CXX_EXTENSIONS OFF)

# The compile settings of a gauge module's own code, also for the static
# libraries built into a module.
function(gauge_module_compile_settings target)
    target_compile_options(${target} PRIVATE ${GAUGE_MODULE_FLAGS})
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
endfunction()

function(add_gauge_module name)
    cmake_parse_arguments(GAUGE "" "DEF;RESOURCES" "SOURCES" ${ARGN})
    add_library(${name} SHARED
        ${GAUGE_SOURCES} ${GAUGE_RESOURCES} ${GAUGE_DEF} ${GAUGE_FRAME_DIR}/gauge_frame.cpp
        $<TARGET_OBJECTS:gauge_module_memory>)
    target_include_directories(${name} PRIVATE ${GAUGE_FRAME_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    gauge_module_compile_settings(${name})
    set(map ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/${name}.map)
    target_link_options(${name} PRIVATE -nostdlib -nostartfiles -s
        -Wl,-e,_DllMain@12,--disable-auto-import,--disable-runtime-pseudo-reloc,--insert-timestamp
        -Wl,-Map,${map} ${CMAKE_SOURCE_DIR}/cmake/gauge_module_checks.ld)
    target_link_libraries(${name} PRIVATE ${GAUGE_SYSTEM_LIBRARIES})
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".gau"
        CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;SOURCE_DATE_EPOCH=${PANEL_RELEASE_TIME}"
        LINK_DEPENDS "${CMAKE_SOURCE_DIR}/cmake/gauge_module_checks.ld;${PANEL_RELEASE_TIME_FILE}"
        ADDITIONAL_CLEAN_FILES ${map})
endfunction()
