#!/usr/bin/env bash
# The Debian package built from this tree: its contents, its declared dependencies,
# lintian without errors, and the unpacked program running as installed.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
. "$here/layout.sh"

build="${KX_BUILD_DIR:?KX_BUILD_DIR must name the build tree}"
(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
deb="$(ls "$work"/out/*.deb)"
[ "$(dpkg-deb -f "$deb" Version)" = "$KX_VERSION" ] || fail "wrong package version"

# Qt comes from the distribution; the driver library travels inside the package.
depends="$(dpkg-deb -f "$deb" Depends)"
for dep in libc6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libnl-genl-3-200; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "no dependency on $dep: $depends"
done
grep -qi kx02app <<<"$depends" && fail "depends on its own library: $depends"

dpkg-deb -x "$deb" "$work/root" || fail "cannot unpack $deb"
check_layout "$work/root" /usr /etc/xdg/autostart
file -L "$work/root/usr/lib/kxconfig/kxconfig" | grep -q ', stripped' ||
    fail "the program is not stripped"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || {
    cat "$work/lintian.log" >&2
    fail "lintian reports errors"
}
sed 's/^/  lintian: /' "$work/lintian.log"

LD_LIBRARY_PATH="$work/root/usr/lib/kxconfig/demo" KX_COMMAND="$work/root/usr/bin/kxconfig" \
    "$here/../e2e/tray_open.sh" ||
    fail "the packaged program"
echo "PASS: the package is complete and runs"
