#!/usr/bin/env bash
# Runs a window manager on $DISPLAY for the GUI tests, so that focus and
# placement behave as on a desktop.
#   wm.sh start STATEFILE   start openbox unless a window manager already runs;
#                           STATEFILE then holds its process id
#   wm.sh stop STATEFILE    stop the openbox that `start` wrote into STATEFILE
set -u
cmd=${1:-}
state=${2:-}
if [ -z "$cmd" ] || [ -z "$state" ]; then
    echo "usage: wm.sh start|stop STATEFILE" >&2
    exit 2
fi

wm_running() {
    # A running EWMH window manager names its check window on the root.
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'
}

case $cmd in
start)
    if [ -z "${DISPLAY:-}" ]; then
        echo "wm.sh: no DISPLAY" >&2
        exit 1
    fi
    if ! command -v openbox >/dev/null || ! command -v xprop >/dev/null; then
        echo "wm.sh: openbox and xprop are needed (scripts/setup installs them)" >&2
        exit 1
    fi
    if wm_running; then
        exit 0
    fi
    config=$(dirname "$0")/openbox-rc.xml
    setsid openbox --sm-disable --config-file "$config" >/dev/null 2>&1 </dev/null &
    echo $! >"$state"
    for _ in $(seq 1 100); do
        if wm_running; then
            exit 0
        fi
        sleep 0.05
    done
    echo "wm.sh: openbox did not start" >&2
    kill "$(cat "$state")" 2>/dev/null
    rm -f "$state"
    exit 1
    ;;
stop)
    if [ -f "$state" ]; then
        pid=$(cat "$state")
        kill "$pid" 2>/dev/null
        for _ in $(seq 1 40); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        rm -f "$state"
    fi
    exit 0
    ;;
*)
    echo "usage: wm.sh start|stop STATEFILE" >&2
    exit 2
    ;;
esac
