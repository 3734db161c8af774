#!/usr/bin/env bash
# End to end through the accessibility bus, as assistive technology meets the program:
# opened from the tray, "More Setting..." pressed through its accessible action, the text
# box of "Profile name:" found by that name, "Enable WEP" toggled through its accessible
# action, and the adapter is told. While that dialog is open the tray stays alive: its
# menu shows, "Exit KXConfig" asks to close the dialog first and the program keeps
# running, "Open Utility Window" brings the main window back to the top, the dialog still
# over it.
# KX_E2E_SHOT=FILE.png keeps a screenshot of the end.
set -u
. "$(dirname "$0")/e2e.sh"

[ -x "$prog" ] || fail "no program at $prog"
atspi() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$app" "$@"; }
export KX_E2E_TRACE="$work/trace"
start_display
start_accessibility_bus
start_trayer
start_program

icon=""
find_icon() {
    icon="$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1)"
    [ -n "$icon" ]
}
wait_for 150 find_icon || fail "no tray icon appeared"
xdotool mousemove --window "$icon" 8 8 click --repeat 2 --delay 60 1 ||
    fail "could not double-click the tray icon"
wait_for 100 main_window_shown || fail "the main window did not open"
main="$(main_window_shown | head -n 1)"

wait_for 100 atspi press "More Setting..." || fail "no \"More Setting...\" button to press"
wait_for 100 atspi shows "Enable WEP" || fail "the settings dialog did not open"
atspi checked "Enable WEP" && fail "WEP is on before it was switched on"
atspi field "Profile name:" || fail "the profile name's text box has no name"

: >"$work/trace.before"
cp "$work/trace" "$work/trace.before"
atspi toggle "Enable WEP" || fail "\"Enable WEP\" has no toggle action"
wait_for 100 atspi checked "Enable WEP" || fail "\"Enable WEP\" did not turn on"
wep_sent() { diff "$work/trace.before" "$work/trace" | grep -q '"fn":"SetWL_WEPStatus","args":\[1\]'; }
wait_for 100 wep_sent || {
    diff "$work/trace.before" "$work/trace" | sed 's/^/  trace: /' >&2
    fail "the adapter was not told to switch WEP on"
}

# menu_entry N: opens the tray menu with a right click on the icon and clicks its entry
# N (1 "Open Utility Window", 2 "Exit KXConfig"). A popup menu is not in the
# accessibility tree until it has focus, so the menu is found as the new window it is.
menu=""
find_menu() {
    menu="$(xdotool search --onlyvisible --pid "$app" | grep -v -x -F -f "$work/windows" | head -n 1)"
    [ -n "$menu" ]
}
menu_entry() {
    xdotool search --onlyvisible --pid "$app" >"$work/windows"
    xdotool mousemove --window "$icon" 8 8 click 3 || fail "could not right-click the tray icon"
    wait_for 100 find_menu || fail "the tray menu did not show with the dialog open"
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove --window "$menu" $((WIDTH / 2)) $((HEIGHT * (2 * $1 - 1) / 4)) click 1
}

menu_entry 2
wait_for 100 atspi shows "Please close the current window before you close this program!!!" ||
    fail "\"Exit KXConfig\" did not ask to close the dialog first"
atspi press "OK" || fail "the message has no OK button"
sleep 1
kill -0 "$app" 2>/dev/null || fail "the program ended with a dialog open"
atspi shows "Enable WEP" || fail "the settings dialog went away"

# Another window over the main window (not over the tray); the open command puts the main
# window back on top, with the dialog still over it.
dialog="$(xdotool search --onlyvisible --name '^More Setting\.\.\.  $' | head -n 1)"
[ -n "$dialog" ] || fail "no settings dialog window"
eval "$(xdotool getwindowgeometry --shell "$main")"
xmessage -name kxcover -geometry "${WIDTH}x${HEIGHT}+${X}+${Y}" "over the main window" &
pids+=($!)
cover=""
find_cover() {
    cover="$(xdotool search --onlyvisible --classname kxcover | head -n 1)"
    [ -n "$cover" ]
}
wait_for 100 find_cover || fail "the covering window did not show"
# depth WINDOW: its place among the top-level windows, 1 the topmost. A window manager's
# frame would stand in between; there is none here.
depth() {
    xwininfo -root -children | awk '/^ +0x/ { print $1 }' |
        grep -n -i -x "$(printf '0x%x' "$1")" | cut -d: -f1
}
above() { [ "$(depth "$1")" -lt "$(depth "$2")" ]; }
above "$main" "$cover" && fail "the covering window is not over the main window"
menu_entry 1
wait_for 100 above "$main" "$cover" ||
    fail "\"Open Utility Window\" did not bring the main window to the top"
above "$dialog" "$main" || fail "the main window was brought over its open dialog"
kill -0 "$app" 2>/dev/null || fail "the program ended"
[ -n "${KX_E2E_SHOT:-}" ] && import -window root "$KX_E2E_SHOT"
echo "PASS: the tray works with a dialog open, and the settings dialog obeys its accessible actions"
