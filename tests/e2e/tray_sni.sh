#!/usr/bin/env bash
# End to end over StatusNotifierItem: on a private session bus with a minimal watcher and
# no XEmbed tray, the program registers its item and exports its menu; the menu's two
# entries open the main window and end the program, as the tray menu does. While the
# watcher is gone the stand-in indicator shows; when it returns the item registers again.
set -u
. "$(dirname "$0")/e2e.sh"

watcher="${KX_SNI_WATCHER:?KX_SNI_WATCHER must name the test watcher}"
[ -x "$prog" ] || fail "no program at $prog"
start_display

cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --nofork --print-address=1 >"$work/bus.address" \
    2>"$work/bus.log" &
pids+=($!)
wait_for 100 test -s "$work/bus.address" || fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$work/bus.address")"

watcher_pid=""
start_watcher() {
    : >"$work/watcher.log"
    "$watcher" watch >"$work/watcher.log" 2>&1 &
    pids+=($!)
    watcher_pid=$!
    wait_for 100 grep -q '^ready' "$work/watcher.log" || fail "the watcher did not start"
}
registered() { grep -q '^item ' "$work/watcher.log"; }

# read_menu: the registered item's service and the ids of its two exported entries.
read_menu() {
    service="$(sed -n 's/^item //p' "$work/watcher.log" | tail -n 1)"
    "$watcher" menu "$service" >"$work/menu" || fail "could not read the exported menu"
    open_id="$(awk -F '\t' '$2 == "Open Utility Window" { print $1 }' "$work/menu")"
    exit_id="$(awk -F '\t' '$2 == "Exit KXConfig" { print $1 }' "$work/menu")"
    [ -n "$open_id" ] && [ -n "$exit_id" ] || {
        sed 's/^/  menu: /' "$work/menu" >&2
        fail "the exported menu lacks its two entries"
    }
}

start_watcher
start_program
wait_for 150 registered || fail "the item did not register with the watcher"
sleep 1
indicator_gone || fail "the indicator shows beside a notification area"
read_menu

"$watcher" click "$service" "$open_id" || fail "could not click \"Open Utility Window\""
wait_for 100 main_window_shown || fail "\"Open Utility Window\" did not open the main window"

kill "$watcher_pid"
wait "$watcher_pid" 2>/dev/null
wait_for 100 indicator_shown || fail "no indicator while the watcher is gone"
start_watcher
wait_for 150 registered || fail "the item did not register with the returning watcher"
wait_for 100 indicator_gone || fail "the indicator stayed after the watcher returned"
read_menu

"$watcher" click "$service" "$exit_id" || fail "could not click \"Exit KXConfig\""
ended() { ! kill -0 "$app" 2>/dev/null; }
wait_for 150 ended || fail "\"Exit KXConfig\" did not end the program"
wait "$app"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS: the StatusNotifierItem carries the icon and its menu"
