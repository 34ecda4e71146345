#!/bin/bash
# Rewrites include/wux/wux.h so that it includes every public header.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/include/wux/wux.h
{
    cat <<'HEAD'
//===- wux/wux.h - Every public header of wux -------------------*- C++ -*-===//
//
// The umbrella header: including it gives the whole public interface of
// wux.dll. Applications may also include the single headers they need.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_WUX_H
#define WUX_WUX_H

HEAD
    (cd "$root/include" && find wux -name '*.h' ! -path wux/wux.h | LC_ALL=C sort |
        sed 's/.*/#include "&"/')
    printf '\n#endif // WUX_WUX_H\n'
} >"$out"
