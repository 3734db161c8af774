#!/usr/bin/env bash
# End to end: a notification area that comes after the program (a panel starting later
# at login, or restarting) takes the icon at once and the stand-in indicator goes away;
# when the area goes away, the indicator comes back and still opens the main window.
set -u
. "$(dirname "$0")/e2e.sh"

[ -x "$prog" ] || fail "no program at $prog"
start_display
start_program
wait_for 150 indicator_shown || fail "no indicator without a notification area"

start_trayer
wait_for 100 indicator_gone || fail "the indicator stayed beside the notification area"
docked() { xdotool search --onlyvisible --pid "$app" | grep -q .; }
wait_for 100 docked || fail "the notification area did not take the icon"

stop_trayer
wait_for 100 indicator_shown || fail "the indicator did not come back without the area"
kill -0 "$app" 2>/dev/null || fail "the program ended"

indicator="$(indicator_shown | head -n 1)"
xdotool mousemove --window "$indicator" 8 8 click --repeat 2 --delay 60 1 ||
    fail "could not double-click the indicator"
wait_for 100 main_window_shown || fail "the indicator did not open the main window"
echo "PASS: the icon followed the notification area"
