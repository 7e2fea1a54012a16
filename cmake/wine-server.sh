#!/bin/sh
# Starts or stops the persistent wineserver of a wine-run script's prefix, so
# each later launch does not pay for a server start. Stops only that prefix's
# server.
# usage: wine-server.sh start WINE-RUN [SESSION-KEEPER-EXE] | stop WINE-RUN
set -e
action=$1
wine_run=$2
session_keeper=${3:-}
prefix=$("$wine_run" --prefix)
case "$action" in
start)
    mkdir -p "$prefix"
    # Detached from the caller's output, which CTest reads until every holder closes it.
    "$wine_run" wineserver -p </dev/null >/dev/null 2>&1
    "$wine_run" wineboot -i </dev/null >/dev/null 2>&1
    [ -n "$session_keeper" ] || exit 0
    # Wine's desktop and RPC processes, started on demand by a test, would
    # inherit its output and keep CTest waiting until they exit seconds later.
    # Started here by a keeper that stays attached, they last until the server stops.
    ready="$prefix/session-keeper.out"
    rm -f "$ready"
    setsid "$wine_run" "$session_keeper" </dev/null >"$ready" 2>&1 &
    for attempt in $(seq 60); do
        grep -q ready "$ready" 2>/dev/null && exit 0
        sleep 0.5
    done
    echo "the Wine session did not come up" >&2
    exit 1
    ;;
stop)
    "$wine_run" wineserver -k || true
    ;;
esac
