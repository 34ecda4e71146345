#!/bin/bash
# Builds wux and runs every benchmark under Wine, printing one table:
# benchmark, wux time, peer time, ratio wux / peer, goal.
#   bench.sh [--filter TEXT] [--rounds N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" x86_64-w64-mingw32 >/dev/null
build=$root/build/x86_64-w64-mingw32
prefix=$build/wineprefix
"$root/scripts/wine-prefix.sh" start "$prefix"
trap '"$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT
# The benchmark files live beside the program; it runs in a scratch folder.
work=$(mktemp -d)
cd "$work"
"$root/scripts/wine-run.sh" "$prefix" "$build/bin/wux_bench.exe" "$@"
rm -rf "$work"
