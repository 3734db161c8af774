# Shared by the end-to-end scripts (sourced): a virtual display, a notification area,
# the program with its own registry and adapter state, bounded waits, and cleanup of
# every process started here.
#
# KX_COMMAND names the command to run (default: the program in KX_PROGRAM_DIR).

prog="${KX_COMMAND:-${KX_PROGRAM_DIR:?KX_PROGRAM_DIR must name the program directory}/kxconfig}"
title="Tolva Wireless LAN Configuration Tool  "
tip="KXConfig --- Wireless LAN Configuration Tool"
work="$(mktemp -d)"
pids=()
# Never the session bus of whoever runs the tests: a panel there would carry the icon.
# A test that wants a bus starts its own.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"

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

start_display() {
    # Xvfb picks a free number itself: tests started together cannot take the same one.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display.number" \
        >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    wait_for 100 test -s "$work/display.number" || fail "the virtual display did not start"
    export DISPLAY=":$(head -n 1 "$work/display.number")"
    wait_for 100 xdpyinfo || fail "virtual display $DISPLAY did not start"
}

# A busy machine (the sanitizer run) can make the panel slow to map, or lose it at
# start: wait longer, and start it again once if it died.
trayer_pid=""
launch_trayer() {
    trayer --edge top --align right --widthtype request --height 32 --transparent false \
        >>"$work/trayer.log" 2>&1 &
    pids+=($!)
    trayer_pid=$!
}
trayer_up() { xdotool search --classname trayer | grep -q .; }
start_trayer() {
    launch_trayer
    if ! wait_for 200 trayer_up; then
        kill -0 "$trayer_pid" 2>/dev/null || launch_trayer
        wait_for 200 trayer_up || {
            sed 's/^/  trayer: /' "$work/trayer.log" >&2
            fail "the notification area did not start"
        }
    fi
    sleep 0.5
}
stop_trayer() {
    kill "$trayer_pid" 2>/dev/null
    wait "$trayer_pid" 2>/dev/null
    trayer_pid=""
}

# A session bus on which the accessibility bus starts on demand, as on a desktop: the
# program's controls can then be found and operated by assistive technology.
start_accessibility_bus() {
    mkdir -p "$work/runtime"
    chmod 700 "$work/runtime"
    XDG_RUNTIME_DIR="$work/runtime" dbus-daemon --session --address="unix:dir=$work" --nofork --print-address=1 \
        >"$work/bus.address" 2>"$work/bus.log" &
    pids+=($!)
    wait_for 100 test -s "$work/bus.address" || fail "the session bus did not start"
    export DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$work/bus.address")"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# The settings and the adapters' state go where a user's would: below HOME, through
# the XDG base directories, as from an installed menu entry. With KX_E2E_TRACE set the
# driver's calls are written there.
start_program() {
    mkdir -p "$work/home" "$work/runtime"
    chmod 700 "$work/runtime"
    env -u KXCONFIG_REGISTRY_DIR -u KX02APP_STATE_DIR -u KX02APP_SCENARIO -u KX02APP_TRACE \
        HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_STATE_HOME="$work/home/state" \
        XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
        ${KX_E2E_TRACE:+KX02APP_TRACE="$KX_E2E_TRACE"} "$prog" >"$work/kxconfig.log" 2>&1 &
    pids+=($!)
    app=$!
}

main_window_shown() { xdotool search --onlyvisible --name "^${title}\$"; }
# The stand-in window for a missing notification area is titled with the tooltip.
indicator_shown() { xdotool search --onlyvisible --name "^${tip}\$"; }
indicator_gone() { ! indicator_shown; }
