#!/bin/sh
# Fails when a gauge file imports from any DLL but the system's own: the host
# machine has nothing else to offer it.
# usage: gauge_files_import_only_system_dlls.sh OBJDUMP GAUGE-FILE...
objdump=$1
shift
allowed="kernel32.dll user32.dll winmm.dll dsound.dll msvcrt.dll"
status=0
for gauge in "$@"; do
    names=$("$objdump" -p "$gauge" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if [ -z "$names" ]; then
        echo "$gauge: no import table found"
        status=1
        continue
    fi
    for name in $names; do
        lower=$(echo "$name" | tr 'A-Z' 'a-z')
        case " $allowed " in
        *" $lower "*) ;;
        *)
            echo "$gauge imports $name; expected only: $allowed"
            status=1
            ;;
        esac
    done
    echo "$(basename "$gauge"):" $names
done
exit $status
