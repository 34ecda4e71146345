#!/bin/bash
# Configures and builds wux for one target into build/<triple>:
#   build.sh <triple> [extra cmake options...]
# Installs missing packages and builds the dependencies first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
triple=$1
shift
"$root/scripts/setup.sh"
"$root/scripts/deps.sh" "$triple"
build=$root/build/$triple
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
