#!/usr/bin/env bash
# Boots the machine's Debian kernel under QEMU (software emulation, no network) with the
# kernel's simulated radios (mac80211_hwsim), hostapd and iw, and runs a guest script
# there with kxctl on the Linux driver library. The guest prints "KXTB PASS <name>" and
# "KXTB FAIL <name>: <why>" lines on the console; they are repeated here, and the exit
# status is 0 only when the guest finished and nothing failed.
#
#   testbed.sh PROGRAM_DIR GUEST_SCRIPT [WORK_DIR]
#
# PROGRAM_DIR holds kxctl, the language files and KXConfig.INI as built, and the Linux
# driver library in its subdirectory linux/. Exits 77 (skipped) without QEMU or a kernel
# with the simulated radios. The base archive (busybox, modules, tools) is built once per
# kernel and kept in WORK_DIR.
set -euo pipefail

program_dir=$(realpath "$1")
guest_script=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
work=${3:-$program_dir/../kernel-testbed}
mkdir -p "$work"
work=$(realpath "$work")

skip() {
  echo "SKIP: $*"
  exit 77
}

command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed"
kernel=""
for image in $(ls -1 /boot/vmlinuz-* 2>/dev/null | sort -V -r); do
  version=${image#/boot/vmlinuz-}
  if [ -f "/lib/modules/$version/kernel/drivers/net/wireless/mac80211_hwsim.ko" ]; then
    kernel=$image
    break
  fi
done
[ -n "$kernel" ] || skip "no kernel image with mac80211_hwsim (linux-image-amd64)"
[ -r "$kernel" ] || skip "$kernel is not readable"
for tool in busybox hostapd iw cpio depmod; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$program_dir/kxctl" ] || { echo "no kxctl in $program_dir" >&2; exit 2; }
[ -f "$program_dir/linux/libKX02APP.so" ] || { echo "no linux/libKX02APP.so in $program_dir" >&2; exit 2; }

# Copies each file with every library ldd names for it into the root $1.
copy_with_libraries() {
  local root=$1
  shift
  local f lib
  for f in "$@"; do
    mkdir -p "$root$(dirname "$f")"
    cp -L "$f" "$root$f"
    for lib in $(ldd "$f" 2>/dev/null | grep -o '/[^ ]*' | sort -u); do
      case $lib in "$root"/*) continue ;; esac
      [ -e "$root$lib" ] && continue
      mkdir -p "$root$(dirname "$lib")"
      cp -L "$lib" "$root$lib"
    done
  done
}

archive() { chmod 755 "$1"; (cd "$1" && find . -print0 | cpio --null -o -H newc --quiet | gzip -1) >"$2"; }

modules=(mac80211_hwsim ccm ctr cmac gcm ecb michael_mic lib80211_crypt_wep arc4 libarc4)
stamp="$version $(dpkg-query -W -f='${Version} ' busybox-static hostapd iw wireless-regdb 2>/dev/null || true)"
base="$work/base.cpio.gz"
if [ ! -f "$base" ] || [ "$(cat "$work/base.stamp" 2>/dev/null)" != "$stamp" ]; then
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  mkdir -p "$root"/{bin,sbin,usr/bin,usr/sbin,proc,sys,dev,tmp,run,etc,root,lib/firmware}
  cp "$(command -v busybox)" "$root/bin/busybox"
  for applet in $(busybox --list-full); do
    [ -e "$root/$applet" ] || ln -s /bin/busybox "$root/$applet"
  done
  # The kernel calls /sbin/modprobe for crypto modules.
  ln -sf /bin/busybox "$root/sbin/modprobe"
  for m in "${modules[@]}"; do
    for ko in $(modprobe -S "$version" --show-depends "$m" 2>/dev/null | awk '$1 == "insmod" {print $2}'); do
      mkdir -p "$root$(dirname "$ko")"
      cp "$ko" "$root$ko"
    done
  done
  cp /lib/modules/"$version"/modules.{order,builtin}* "$root/lib/modules/$version/" 2>/dev/null || true
  depmod -b "$root" "$version"
  cp /lib/firmware/regulatory.db /lib/firmware/regulatory.db.p7s "$root/lib/firmware/"
  copy_with_libraries "$root" "$(command -v hostapd)" "$(command -v iw)"
  command -v hostapd_cli >/dev/null && copy_with_libraries "$root" "$(command -v hostapd_cli)"
  printf 'root:x:0:0:root:/root:/bin/sh\nnobody:x:65534:65534:nobody:/nonexistent:/bin/sh\n' \
    >"$root/etc/passwd"
  printf 'root:x:0:\nnogroup:x:65534:\n' >"$root/etc/group"
  archive "$root" "$base"
  echo "$stamp" >"$work/base.stamp"
  rm -rf "$root"
  trap - EXIT
fi

# The program under test: kxctl with the Linux driver library beside it, as installed.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/opt/kx"
cp "$program_dir"/kxctl "$program_dir"/KXML?.INI "$root/opt/kx/"
cp "$program_dir/linux/libKX02APP.so" "$root/opt/kx/"
# The administrator's step: the simulated radios' hardware ID joins the accepted list,
# after the last one there.
awk -v id='VIRTUAL\\MAC80211_HWSIM' '
  /^MatchingDeviceId[0-9]+=/ { n = substr($0, 17, index($0, "=") - 17) + 1; print; next }
  n != "" && !done { print "MatchingDeviceId" n "=" id; done = 1 }
  { print }' "$program_dir/KXConfig.INI" >"$root/opt/kx/KXConfig.INI"
copy_with_libraries "$root" "$root/opt/kx/kxctl"
cp "$here/init" "$root/init"
cp "$here/guest-lib.sh" "$root/guest-lib.sh"
cp "$guest_script" "$root/guest.sh"
chmod +x "$root/init"
archive "$root" "$work/program.cpio.gz"
cat "$base" "$work/program.cpio.gz" >"$work/initrd.gz"

log="$work/console.log"
echo "booting $kernel (log: $log)"
start=$(date +%s)
set +e
timeout 240 qemu-system-x86_64 -accel tcg -cpu max -m 1024 -smp 1 -net none -nographic \
  -no-reboot -kernel "$kernel" -initrd "$work/initrd.gz" \
  -append "console=ttyS0 quiet panic=-1 rdinit=/init" </dev/null >"$log" 2>&1
status=$?
set -e
tr -d '\r' <"$log" | grep -a '^KXTB ' || true
echo "QEMU ended after $(($(date +%s) - start)) s with status $status"
failed=$(tr -d '\r' <"$log" | grep -ac '^KXTB FAIL' || true)
passed=$(tr -d '\r' <"$log" | grep -ac '^KXTB PASS' || true)
if ! tr -d '\r' <"$log" | grep -aq '^KXTB END'; then
  echo "the guest did not finish; the console's last lines:"
  tr -d '\r' <"$log" | tail -n 40
  exit 1
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
