# add_gauge_module(NAME SOURCES... RESOURCES rc-file DEF def-file)
# Builds a gauge file NAME.gau with its own copy of the frame built in.
set(GAUGE_FRAME_DIR ${CMAKE_SOURCE_DIR}/frame)

function(add_gauge_module name)
    cmake_parse_arguments(GAUGE "" "DEF;RESOURCES" "SOURCES" ${ARGN})
    add_library(${name} SHARED
        ${GAUGE_SOURCES} ${GAUGE_RESOURCES} ${GAUGE_DEF} ${GAUGE_FRAME_DIR}/gauge_frame.cpp)
    target_include_directories(${name} PRIVATE ${GAUGE_FRAME_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${GAUGE_MODULE_FLAGS})
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".gau")
endfunction()

# The modules use no exceptions or run-time type information, and no GNU extensions.
set(GAUGE_MODULE_FLAGS -std=c++17 -fno-exceptions -fno-rtti -Wall -Wextra -Wpedantic -Werror
    -Wno-missing-field-initializers)  # host words are left to zero initialisation
