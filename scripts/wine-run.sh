#!/bin/bash
# Runs a Windows program under Wine in the given prefix:
#   wine-run.sh <prefix> <program.exe> [arguments...]
# The program's output passes through temporary files, never a pipe: Wine's
# background services inherit the standard streams of the first process of a
# server, and a reader of a pipe would then wait for them forever.
set -u
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all
tmp=$(mktemp -d)
# A start that fails inside Wine itself (seen rarely under load: the process
# ends at once, silent, with an error code) is retried once. A program that
# really fails prints something, or fails the same way twice.
for attempt in 1 2; do
    /usr/lib/wine/wine64 "$@" </dev/null >"$tmp/out" 2>"$tmp/err"
    rc=$?
    if [ $rc -eq 0 ] || [ -s "$tmp/out" ] || [ -s "$tmp/err" ]; then
        break
    fi
done
cat "$tmp/out"
cat "$tmp/err" >&2
rm -rf "$tmp"
exit $rc
