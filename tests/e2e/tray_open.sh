#!/usr/bin/env bash
# End to end: the program starts hidden in a notification area; a double click on its
# tray icon shows the main window. The settings land in the user's data directory, under
# the program's own key. Runs on its own virtual display, waits a bounded time for each
# step and always stops the processes it started.
set -u
. "$(dirname "$0")/e2e.sh"

[ -x "$prog" ] || fail "no program at $prog"
start_display
start_trayer
start_program

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

wait_for 100 main_window_shown || fail "the main window did not open"

registry="$work/home/data/kxconfig/registry"
grep -qF '[HKEY_CURRENT_USER\Software\Tolva\kxconfig]' "$registry/HKEY_CURRENT_USER.reg" ||
    fail "no per-user key in $registry"
grep -qF '"MatchingDeviceId"' "$registry/HKEY_LOCAL_MACHINE.reg" ||
    fail "the driver found no adapter key in $registry"
echo "PASS: the tray icon opened the main window"
