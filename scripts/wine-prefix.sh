#!/bin/bash
# Starts or stops the private Wine prefix of a build tree:
#   wine-prefix.sh start <prefix>   boots the prefix (once) and keeps a
#                                   persistent wine server for it
#   wine-prefix.sh stop <prefix>    stops that server
set -euo pipefail
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all
case $action in
start)
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # All three standard streams on /dev/null: the services started now
        # must not hold a pipe of ours open.
        /usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
    fi
    # A persistent server keeps each test process start at ~0.1 s; exit code 2
    # means one is already running for this prefix.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
    ;;
stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
*)
    echo "usage: $0 start|stop <prefix>" >&2
    exit 2
    ;;
esac
