#!/bin/sh
# Installs those of the Debian packages given that are not installed yet.
# usage: install-packages.sh PACKAGE...
set -e
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
missing=""
for package; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -n "$missing" ] || exit 0
echo "== installing$missing"
# One index that fails to download (a mirror being synced) leaves the
# others usable; apt-get install then says what it cannot find.
$sudo apt-get update -q || echo "== apt-get update reported errors, going on with the indexes it read"
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
