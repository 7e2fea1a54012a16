#!/bin/sh
# Starts or stops the persistent wineserver of the test prefix, so each test
# launch does not pay for a server start. Stops only this prefix's server.
# usage: wine-server.sh start|stop WINE-RUN [WARM-UP-PROGRAM]
# A warm-up program run at the start brings up the services that its calls
# need (the first sound device starts Wine's desktop and RPC processes) with
# their output detached, so no test's output is held open by them.
set -e
action=$1
wine_run=$2
warm_up=${3:-}
prefix=$(sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$wine_run")
export WINEPREFIX="$prefix"
case "$action" in
start)
    mkdir -p "$prefix"
    # Detached from the test's output, which CTest reads until every holder closes it.
    wineserver -p </dev/null >/dev/null 2>&1
    "$wine_run" wineboot -i </dev/null >/dev/null 2>&1
    if [ -n "$warm_up" ]; then
        "$wine_run" "$warm_up" </dev/null >/dev/null 2>&1 || true
    fi
    ;;
stop)
    wineserver -k || true
    ;;
esac
