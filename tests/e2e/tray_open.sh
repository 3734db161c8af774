#!/usr/bin/env bash
# End to end: the program starts hidden in a notification area; a double click on its
# tray icon shows the main window. Runs on its own virtual display with a temporary
# registry and adapter state, waits a bounded time for each step and always stops
# the processes it started.
set -u

prog="${KX_PROGRAM_DIR:?KX_PROGRAM_DIR must name the program directory}/kxconfig"
title="Tolva Wireless LAN Configuration Tool  "
work="$(mktemp -d)"
pids=()

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/kxconfig.log" ] && sed 's/^/  kxconfig: /' "$work/kxconfig.log" >&2
    exit 1
}

# wait_for TENTHS COMMAND...: retries COMMAND every 0.1 s for at most TENTHS tries.
wait_for() {
    local tries=$1 i
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

[ -x "$prog" ] || fail "no program at $prog"

display=""
for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || fail "no free display number"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY="$display"
wait_for 100 xdpyinfo || fail "virtual display $display did not start"

# A busy machine (the sanitizer run) can make the panel slow to map, or lose it at
# start: wait longer, and start it again once if it died.
start_trayer() {
    trayer --edge top --align right --widthtype request --height 32 --transparent false \
        >>"$work/trayer.log" 2>&1 &
    pids+=($!)
    trayer_pid=$!
}
trayer_up() { xdotool search --classname trayer | grep -q .; }
start_trayer
if ! wait_for 200 trayer_up; then
    kill -0 "$trayer_pid" 2>/dev/null || start_trayer
    wait_for 200 trayer_up || {
        sed 's/^/  trayer: /' "$work/trayer.log" >&2
        fail "the notification area did not start"
    }
fi
sleep 0.5

mkdir -p "$work/registry" "$work/state" "$work/runtime"
chmod 700 "$work/runtime"
KXCONFIG_REGISTRY_DIR="$work/registry" KX02APP_STATE_DIR="$work/state" \
    XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb \
    "$prog" >"$work/kxconfig.log" 2>&1 &
pids+=($!)
app=$!

# The icon is the program's one visible window while the main window stays hidden.
icon=""
find_icon() {
    icon="$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1)"
    [ -n "$icon" ]
}
wait_for 150 find_icon || fail "no tray icon appeared"
kill -0 "$app" 2>/dev/null || fail "the program ended"
# Past the first status ticks the main window has no X window at all: one that had been
# shown, however briefly, would still be found here (hidden windows keep theirs).
sleep 1.5
if xdotool search --name "^${title}\$" >/dev/null 2>&1; then
    fail "the main window was shown before it was opened"
fi

# KX_E2E_DEBUG=1 tells which window was taken for the icon (the notification area's
# 22 x 22 icon, or the indicator window where there is no notification area).
if [ -n "${KX_E2E_DEBUG:-}" ]; then
    xwininfo -id "$icon" | sed -n '1,8p' >&2
fi
xdotool mousemove --window "$icon" 8 8 click --repeat 2 --delay 60 1 ||
    fail "could not double-click the tray icon"

wait_for 100 xdotool search --onlyvisible --name "^${title}\$" ||
    fail "the main window did not open"
echo "PASS: the tray icon opened the main window"
