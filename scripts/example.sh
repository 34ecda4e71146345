#!/bin/bash
# Builds wux and runs the example application under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" x86_64-w64-mingw32 >/dev/null
build=$root/build/x86_64-w64-mingw32
prefix=$build/wineprefix
"$root/scripts/wine-prefix.sh" start "$prefix"
trap '"$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT
"$root/scripts/wine-run.sh" "$prefix" "$build/bin/wux_example.exe"
