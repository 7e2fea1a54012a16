#!/bin/sh
# Starts or stops the persistent wineserver of the test prefix, so each test
# launch does not pay for a server start. Stops only this prefix's server.
# usage: wine-server.sh start WINE-RUN DESKTOP-KEEPER-EXE | stop WINE-RUN
set -e
action=$1
wine_run=$2
desktop_keeper=$3
prefix=$(sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$wine_run")
export WINEPREFIX="$prefix"
case "$action" in
start)
    mkdir -p "$prefix"
    # Detached from the test's output, which CTest reads until every holder closes it.
    wineserver -p </dev/null >/dev/null 2>&1
    "$wine_run" wineboot -i </dev/null >/dev/null 2>&1
    # The desktop process, started on demand by the first program with a
    # window, would inherit that test's output and keep CTest waiting until it
    # exits seconds after the test. Started here by a keeper that stays
    # attached to it, it lasts until the server stops.
    ready="$prefix/desktop-keeper.out"
    rm -f "$ready"
    setsid "$wine_run" "$desktop_keeper" </dev/null >"$ready" 2>&1 &
    for attempt in $(seq 60); do
        grep -q ready "$ready" 2>/dev/null && exit 0
        sleep 0.5
    done
    echo "the Wine desktop did not come up" >&2
    exit 1
    ;;
stop)
    wineserver -k || true
    ;;
esac
