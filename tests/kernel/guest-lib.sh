# Helpers for the guest scripts of the kernel test bed.

# pass NAME / fail NAME WHY: the lines the host counts.
pass() { echo "KXTB PASS $1"; }
fail() { echo "KXTB FAIL $1: $2"; }

# check NAME COMMAND...: passes when the command succeeds; a failure shows its output.
check() {
  _name=$1
  shift
  if _got=$("$@" 2>&1); then
    pass "$_name"
  else
    fail "$_name" "$(echo "$_got" | tail -n 5 | tr '\n' '|')"
  fi
}

# contains TEXT REGEX: whether a line of the text matches.
contains() { printf '%s\n' "$1" | grep -Eq -- "$2"; }

# wait_for SECONDS COMMAND...: polls the command every 0.2 s until it succeeds.
wait_for() {
  limit=$1
  shift
  end=$(($(date +%s) + limit))
  while ! "$@" >/dev/null 2>&1; do
    [ "$(date +%s)" -ge "$end" ] && return 1
    usleep 200000
  done
}

# in_ns NAME COMMAND...: runs a command in the network namespace of the holder process.
in_ns() {
  ns=$1
  shift
  nsenter -n -t "$(cat /run/ns-$ns.pid)" "$@"
}

# make_ns NAME: a network namespace held by a sleeping process.
make_ns() {
  unshare -n sleep 100000 &
  echo $! >/run/ns-$1.pid
  wait_for 5 test -e /proc/$!/ns/net
  in_ns "$1" ip link set lo up
}

# move_radio IFACE NS: hands the radio behind an interface to a namespace.
move_radio() {
  phy=$(basename "$(readlink /sys/class/net/$1/phy80211)")
  iw phy "$phy" set netns "$(cat /run/ns-$2.pid)"
}
