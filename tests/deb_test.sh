#!/usr/bin/env bash
# Installs the .deb with dpkg -i, runs the installed programs and man pages, removes it with dpkg -r
# and checks that nothing is left. It changes the system: it needs root, and refuses to run where
# the package or any of its files is there already.
#   deb_test.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
deb=$1 source=$2
pkg=$(dpkg-deb -f "$deb" Package)
if dpkg -s "$pkg" >/dev/null 2>&1; then
    echo "$pkg is installed already: not touching it"
    exit 1
fi
mapfile -t files < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
for f in "${files[@]}"; do
    [ ! -e "$f" ] || { echo "$f exists already: not touching it"; exit 1; }
done

work=$(mktemp -d)
trap 'dpkg -r "$pkg" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
dpkg -i "$deb" >/dev/null
dpkg -s "$pkg" | grep -qx 'Status: install ok installed'
[ "$(command -v pktdump)" = /usr/bin/pktdump ]
pktgen "$work/p.pkt" >/dev/null
pktdump "$work/p.pkt" | cmp - "$source/tests/data/pattern.txt"
for page in /usr/share/man/man1/pktgen.1 /usr/share/man/man1/pktdump.1 /usr/share/man/man5/packet.5; do
    [ -f "$page" ] || { echo "no $page"; exit 1; }
done

dpkg -r "$pkg" >/dev/null
trap 'rm -rf "$work"' EXIT
if dpkg -s "$pkg" 2>/dev/null | grep -q '^Status: install ok installed'; then
    echo "$pkg is still installed"
    exit 1
fi
for f in "${files[@]}"; do
    [ ! -e "$f" ] || { echo "left behind: $f"; exit 1; }
done
echo "$pkg: installed, used and removed cleanly"
