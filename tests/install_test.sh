#!/usr/bin/env bash
# Installs the build into a fresh prefix, checks that every file is in its place, builds a consumer
# project against the installed package and runs it, and runs the installed programs.
#   install_test.sh BUILD_DIR SOURCE_DIR CXX_COMPILER CXX_FLAGS EXE_LINKER_FLAGS
set -euo pipefail
build=$1 source=$2 cxx=$3 cxxflags=$4 ldflags=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

libdir=$(cd "$prefix" && dirname "$(find . -name libpacket.a)")
for f in bin/pktgen bin/pktdump "$libdir/libpacket.a" include/packet/packet.h \
    "$libdir/cmake/packet/packetConfig.cmake" "$libdir/cmake/packet/packetConfigVersion.cmake" \
    "$libdir/cmake/packet/packetTargets.cmake" share/man/man1/pktgen.1 share/man/man1/pktdump.1 \
    share/man/man5/packet.5; do
    [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

cmake -S "$source/tests/consumer" -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$work/consumer" >/dev/null
got=$("$work/consumer/consumer" C40FFFFF)
[ "$got" = "TAG32_HorizBedPos -1" ] || { echo "consumer printed: $got"; exit 1; }

# The version file: a later major version is not promised.
if cmake -S "$source/tests/consumer" -B "$work/too-new" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$cxx" -DWANT_VERSION=2.0 >/dev/null 2>&1; then
    echo "find_package(packet 2.0) was accepted"
    exit 1
fi

"$prefix/bin/pktgen" "$work/p.pkt" >/dev/null
"$prefix/bin/pktdump" "$work/p.pkt" | cmp - "$source/tests/data/pattern.txt"
echo "installed, consumed and run"
