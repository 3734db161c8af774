#!/usr/bin/env bash
# `cmake --install` gives the layout a distribution expects, and the installed command
# runs as from the build tree: tray, settings and driver (see tests/e2e/tray_open.sh).
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
cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}
check_layout "$work" /usr /usr/etc

# Installing again keeps what the administrator changed and puts the shipped file beside.
config="$work/usr/etc/kxconfig/KXConfig.INI"
echo "; changed by the administrator" >>"$config"
cmake --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || {
    cat "$work/install.log" >&2
    fail "the second cmake --install failed"
}
grep -q "^; changed by the administrator" "$config" || fail "an installation overwrote $config"
cmp -s "$config.dist" "$build/bin/KXConfig.INI" || fail "the shipped KXConfig.INI is not beside"
KX_COMMAND="$work/usr/bin/kxconfig" "$here/../e2e/tray_open.sh" || fail "the installed program"
echo "PASS: the installed tree is complete and runs"
