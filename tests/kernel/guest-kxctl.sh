# The guest side of the kernel test: kxctl on the Linux driver library against the
# kernel's simulated radios. wlan0 is the adapter under test; two access points (open and
# WEP) run on wlan1 and wlan2 in the namespace "air", two stations on wlan3 and wlan4 in
# the namespace "peers"; wlan5 stays as a second adapter.
. /guest-lib.sh

K=/opt/kx/kxctl
export KXCONFIG_REGISTRY_DIR=/root/registry KX02APP_TRACE=/tmp/trace.jsonl HOME=/root
modprobe mac80211_hwsim radios=6 || fail modules "mac80211_hwsim does not load"

make_ns air
make_ns peers
for i in 1 2; do move_radio wlan$i air; done
for i in 3 4; do move_radio wlan$i peers; done
mkdir -p /tmp/ap
ap_conf() { # interface ssid channel [extra lines]
  printf 'interface=%s\ndriver=nl80211\nctrl_interface=/tmp/ap/ctrl\nssid=%s\nhw_mode=g\nchannel=%s\n%s\n' \
    "$1" "$2" "$3" "$4" >/tmp/ap/$1.conf
  in_ns air hostapd -B -P /tmp/ap/$1.pid /tmp/ap/$1.conf >/tmp/ap/$1.log 2>&1
}
ap_conf wlan1 OpenNet 6 ""
ap_conf wlan2 WepNet 11 "$(printf 'auth_algs=1\nwep_default_key=0\nwep_key0=0102030405')"
in_ns air ip addr add 10.9.1.1/24 dev wlan1
in_ns air ip addr add 10.9.2.1/24 dev wlan2
mac_of() { in_ns peers ip link show "$1" | awk '/link\/ether/ {print $2}'; }
MAC3=$(mac_of wlan3)
MAC4=$(mac_of wlan4)

# ---- adapters: both radios of this namespace, installed with the virtual radio's ID
out=$($K adapters 2>&1)
if [ "$(echo "$out" | grep -c 'mac80211_hwsim wireless adapter')" = 2 ] &&
  echo "$out" | grep -q '02 00 00 00 00 00'; then
  pass adapters_listed
else
  fail adapters_listed "$out"
fi
out=$($K adapters --all 2>&1)
check adapters_hardware_id contains "$out" 'VIRTUAL.MAC80211_HWSIM +yes'
check registry_install grep -q 'MatchingDeviceId.*VIRTUAL.*MAC80211_HWSIM' /root/registry/HKEY_LOCAL_MACHINE.reg

# ---- site survey: both access points, their WEP flags and a plausible strength
out=$($K scan 2>&1)
echo "$out"
check scan_open contains "$out" '^[0-9]+% +6 +Infrastructure +Off .*OpenNet'
check scan_wep contains "$out" '^[0-9]+% +11 +Infrastructure +On .*WepNet'
strength=$(echo "$out" | awk '/OpenNet/ {sub("%", "", $1); print $1}')
check scan_strength test "${strength:-0}" -gt 10 -a "${strength:-0}" -le 100

# ---- joining: the open network, then the WEP network with its key; traffic passes
check join_open $K join OpenNet --timeout 20
ip addr add 10.9.1.2/24 dev wlan0
check ping_open ping -c 2 -W 3 10.9.1.1
check join_wep $K join WepNet --key 0102030405 --timeout 20
ip addr flush dev wlan0
ip addr add 10.9.2.2/24 dev wlan0
check ping_wep ping -c 2 -W 3 10.9.2.1
out=$($K status --json 2>&1)
echo "$out"
check status_ssid contains "$out" '"ssid": "WepNet"'
check status_channel contains "$out" '"channel": 11'
check status_signal contains "$out" '"signal_dbm": -[0-9]+'
check status_wep contains "$out" '"wep": true'

# ---- settings reach the kernel
check set_rts $K set rts 500
check set_fragment $K set fragment 1000
check set_powersave $K set powersave on
check iw_rts sh -c "iw phy phy0 info | grep -q 'RTS threshold: 500'"
check iw_fragment sh -c "iw phy phy0 info | grep -q 'Fragmentation threshold: 1000'"
check iw_powersave sh -c "iw dev wlan0 get power_save | grep -q 'Power save: on'"
check set_rts_off $K set rts off
check iw_rts_off sh -c "! iw phy phy0 info | grep -q 'RTS threshold:'"
out=$($K set rate 27.5 2>&1)
status=$?
check refused_rate contains "$status $out" '^2 .*refused'

# ---- a network out of range: the adapter searches, it is not "connected"
check set_ssid_away $K set ssid Nowhere
out=$($K status 2>&1)
check searching contains "$out" 'Link Status: +Connecting'
check join_back $K join WepNet --key 0102030405 --timeout 20

# ---- without CAP_NET_ADMIN: read-only, said once, nothing applied or recorded
$K set rts 500 >/dev/null
mkdir -p /tmp/nobody && chown nobody /tmp/nobody
out=$(su -s /bin/sh nobody -c "KXCONFIG_REGISTRY_DIR=/tmp/nobody/registry HOME=/tmp/nobody $K set rts 700" 2>&1)
status=$?
echo "$out"
check readonly_refused contains "$status $out" '^2 .*read-only for this user: changing wlan0 needs the CAP_NET_ADMIN'
check readonly_kernel_kept sh -c "iw phy phy0 info | grep -q 'RTS threshold: 500'"
check readonly_not_recorded sh -c "! grep -qi 'RTSCTSThreshold' /tmp/nobody/registry/HKEY_LOCAL_MACHINE.reg"
out=$(su -s /bin/sh nobody -c "KXCONFIG_REGISTRY_DIR=/tmp/nobody/registry HOME=/tmp/nobody $K status" 2>&1)
check readonly_reads contains "$out" 'WepNet'

# ---- a radio another program runs (here a hostapd of its own) is left alone
printf 'interface=wlan5\ndriver=nl80211\nctrl_interface=/run/hostapd\nssid=Theirs\nhw_mode=g\nchannel=1\n' \
  >/tmp/ap/wlan5.conf
hostapd -B /tmp/ap/wlan5.conf >/tmp/ap/wlan5.log 2>&1
wait_for 5 test -S /run/hostapd/wlan5
out=$($K --adapter 2 set rts 900 2>&1)
check managed_refused contains "$out" 'wlan5 is managed by hostapd'
check managed_kept sh -c "! iw phy phy5 info | grep -q 'RTS threshold: 900'"

# ---- ad hoc: a cell started by a peer, found by the survey and joined
in_ns peers iw dev wlan3 set type ibss
in_ns peers ip link set wlan3 up
in_ns peers iw dev wlan3 ibss join PlayRoom 2412 fixed-freq 02:11:22:33:44:55
in_ns peers ip addr add 10.9.3.1/24 dev wlan3
check adhoc_scan wait_for 20 sh -c "$K scan | grep -q 'Ad-Hoc .*PlayRoom'"
check adhoc_join $K join PlayRoom --timeout 20
ip addr flush dev wlan0
ip addr add 10.9.3.2/24 dev wlan0
check adhoc_ping ping -c 2 -W 3 10.9.3.1
check adhoc_status sh -c "$K status | grep -q 'Connected to Ad-Hoc'"
in_ns peers iw dev wlan3 ibss leave
in_ns peers iw dev wlan3 set type managed

# ---- access point with a MAC filter: one station in, the other kept out
check ap_on $K ap on
check ap_ssid $K ap ssid KXAccess
check ap_filter $K ap filter accept "$MAC3"
check ap_running wait_for 10 sh -c "iw dev wlan0 info | grep -q 'type AP'"
ip addr flush dev wlan0
ip addr add 10.9.4.1/24 dev wlan0
for i in 3 4; do
  in_ns peers ip link set wlan$i up
  in_ns peers iw dev wlan$i connect KXAccess
done
in_ns peers ip addr add 10.9.4.3/24 dev wlan3
check ap_accepted wait_for 20 sh -c "$K ap stations | grep -qi '$(echo $MAC3 | tr ':' ' ')'"
check ap_ping in_ns peers ping -c 2 -W 3 10.9.4.1
sleep 2
check ap_kept_out sh -c "! $K ap stations | grep -qi '$(echo $MAC4 | tr ':' ' ')'"
check ap_peer_unlinked contains "$(in_ns peers iw dev wlan4 link)" 'Not connected' 
out=$($K status 2>&1)
echo "$out"
check ap_status contains "$out" 'KXAccess'
check ap_off $K ap off
check ap_stopped wait_for 10 sh -c "! iw dev wlan0 info | grep -q 'type AP'"

# ---- the engineering functions answer "not supported"
check trace_eeprom grep -q '"fn":"WL_ReadEEPROM".*"ret":-1' /tmp/trace.jsonl
