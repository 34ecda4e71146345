#!/bin/bash
# Builds everything and runs the whole test suite under Wine. The 64-bit
# build is built and tested; the 32-bit build is compiled and linked only
# (32-bit programs cannot run on these machines).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" i686-w64-mingw32 -DWUX_WERROR=ON
"$root/scripts/build.sh" x86_64-w64-mingw32 -DWUX_WERROR=ON
build=$root/build/x86_64-w64-mingw32
prefix=$build/wineprefix
"$root/scripts/wine-prefix.sh" start "$prefix"
trap '"$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT
cd "$build"
ctest --output-on-failure -j "$(nproc)"
