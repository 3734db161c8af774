#!/usr/bin/env bash
# The Debian package built from this tree: its contents, its declared dependencies and
# configuration files, lintian without errors or warnings, and the unpacked program
# running as installed.
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
for dep in libc6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "no dependency on $dep: $depends"
done
grep -qi kx02app <<<"$depends" && fail "depends on its own library: $depends"

dpkg-deb -x "$deb" "$work/root" || fail "cannot unpack $deb"
check_layout "$work/root" /usr /etc
# The link to the configuration names this machine's /etc; the unpacked program reads
# the unpacked one.
ln -sfn "$work/root/etc/kxconfig/KXConfig.INI" "$work/root/usr/lib/kxconfig/KXConfig.INI"
file -L "$work/root/usr/lib/kxconfig/kxconfig" | grep -q ', stripped' ||
    fail "the program is not stripped"

# Every file under /etc is a configuration file an upgrade keeps.
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles >"$work/conffiles" ||
    fail "the package has no conffiles"
diff <(sort "$work/conffiles") <(cd "$work/root" && find etc -type f -printf '/%p\n' | sort) ||
    fail "the conffiles are not the files under /etc"

lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || {
    cat "$work/lintian.log" >&2
    fail "lintian reports errors or warnings"
}
sed 's/^/  lintian: /' "$work/lintian.log"

KX_COMMAND="$work/root/usr/bin/kxconfig" "$here/../e2e/tray_open.sh" ||
    fail "the packaged program"
echo "PASS: the package is complete and runs"
