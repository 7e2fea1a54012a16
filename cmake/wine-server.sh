#!/bin/sh
# Starts or stops the persistent wineserver of the test prefix, so each test
# launch does not pay for a server start. Stops only this prefix's server.
# usage: wine-server.sh start|stop WINE-RUN
set -e
action=$1
wine_run=$2
prefix=$(sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$wine_run")
export WINEPREFIX="$prefix"
case "$action" in
start)
    mkdir -p "$prefix"
    # Detached from the test's output, which CTest reads until every holder closes it.
    wineserver -p </dev/null >/dev/null 2>&1
    "$wine_run" wineboot -i </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver -k || true
    ;;
esac
