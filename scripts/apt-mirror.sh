#!/bin/sh
# Prints the address of the Debian archive this machine's apt configuration
# names (/etc/apt/sources.list and /etc/apt/sources.list.d/, one-line .list
# and deb822 .sources files alike): the source whose Release file apt labels
# "Debian", so a local mirror or a caching proxy's address is used as it is.
# With --proxy FILE it also writes apt's proxy settings (Acquire::*::Proxy*)
# to FILE, an apt configuration file, empty where there are none.
# Reads the Release files apt has downloaded; runs apt-get update where there
# are none yet (as the root installers do, as root).
# usage: apt-mirror.sh [--proxy FILE]
set -e

debian_archive() {
    apt-get indextargets --format '$(LABEL) $(REPO_URI)' 2>/dev/null |
        sed -n 's/^Debian \(.*[^/]\)\/*$/\1/p' | head -n 1
}

mirror=$(debian_archive)
if [ -z "$mirror" ]; then
    apt-get update -q >&2 || true
    mirror=$(debian_archive)
fi
if [ -z "$mirror" ]; then
    echo "apt-mirror.sh: none of apt's sources is a Debian archive (a Release file labelled \"Debian\");" \
        "name one in /etc/apt/sources.list or /etc/apt/sources.list.d/" >&2
    exit 1
fi
if [ "${1:-}" = --proxy ]; then
    apt-config dump | grep -E '^Acquire::[a-z0-9+]+::Proxy' | grep -v ' "";$' >"$2" || true
fi
echo "$mirror"
