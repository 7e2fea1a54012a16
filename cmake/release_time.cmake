# PANEL_RELEASE_TIME: the time, in seconds since 1970-01-01 00:00 UTC, that
# everything the release holds is stamped with (the gauge files' PE header and
# export directory, the package's entries), so that a rebuild of the same
# source makes the same bytes: midnight UTC of PANEL_RELEASE_DATE, or
# SOURCE_DATE_EPOCH where the configuring environment sets it. A zip entry
# holds times from 1980 to 2107 in steps of two seconds, a PE time stamp 32
# bits; an odd second is rounded down in the package.
# Written to release/release_time in the build tree, which what uses the time
# depends on.

# release_days_since_1970(YYYY-MM-DD OUT): the date's day count (proleptic
# Gregorian calendar, years counted from March so that leap days come last).
function(release_days_since_1970 date out)
    if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "PANEL_RELEASE_DATE '${date}' is not a date YYYY-MM-DD")
    endif()
    math(EXPR year "${CMAKE_MATCH_1}")
    math(EXPR month "${CMAKE_MATCH_2}")
    math(EXPR day "${CMAKE_MATCH_3}")
    if(month LESS 1 OR month GREATER 12 OR day LESS 1 OR day GREATER 31)
        message(FATAL_ERROR "PANEL_RELEASE_DATE '${date}' is not a date YYYY-MM-DD")
    endif()
    if(month LESS_EQUAL 2)
        math(EXPR year "${year} - 1")
        math(EXPR month "${month} + 9")
    else()
        math(EXPR month "${month} - 3")
    endif()
    math(EXPR days "${year} * 365 + ${year} / 4 - ${year} / 100 + ${year} / 400
        + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468")
    set(${out} ${days} PARENT_SCOPE)
endfunction()

if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(PANEL_RELEASE_TIME "$ENV{SOURCE_DATE_EPOCH}")
    set(release_time_origin "SOURCE_DATE_EPOCH")
else()
    release_days_since_1970(${PANEL_RELEASE_DATE} release_days)
    math(EXPR PANEL_RELEASE_TIME "${release_days} * 86400")
    set(release_time_origin "PANEL_RELEASE_DATE ${PANEL_RELEASE_DATE}")
endif()
if(NOT PANEL_RELEASE_TIME MATCHES "^[0-9]+$"
        OR PANEL_RELEASE_TIME LESS 315532800 OR PANEL_RELEASE_TIME GREATER 4294967295)
    message(FATAL_ERROR "${release_time_origin}: ${PANEL_RELEASE_TIME} is not a release time: "
        "whole seconds since 1970 from 315532800 (1980-01-01) to 4294967295 (2106-02-07)")
endif()
message(STATUS "Release time: ${PANEL_RELEASE_TIME} (${release_time_origin})")
set(PANEL_RELEASE_TIME_FILE ${CMAKE_BINARY_DIR}/release/release_time)
file(CONFIGURE OUTPUT ${PANEL_RELEASE_TIME_FILE} CONTENT "${PANEL_RELEASE_TIME}\n")
