# Shared by the installation checks (sourced): the files an installed tree must hold and
# the desktop's own validators for them.

# check_layout ROOT PREFIX ETC: ROOT is the staging directory, PREFIX the installation
# prefix inside it, ETC where the configuration lands (/etc for the prefix /usr).
check_layout() {
    local root=$1 prefix=$2 etc=$3 file
    local usr="$root$prefix"
    local autostart="$etc/xdg/autostart"
    for file in \
        lib/kxconfig/kxconfig lib/kxconfig/kxctl lib/kxconfig/libKX02APP.so \
        share/bash-completion/completions/kxctl \
        lib/kxconfig/KXMLu.INI lib/kxconfig/KXMLa.INI \
        share/icons/hicolor/scalable/apps/com.tolva.kxconfig.svg \
        share/applications/com.tolva.kxconfig.desktop \
        share/metainfo/com.tolva.kxconfig.metainfo.xml \
        share/man/man1/kxconfig.1.gz share/man/man1/kxctl.1.gz \
        share/doc/kxconfig/copyright share/doc/kxconfig/changelog.gz; do
        [ -f "$usr/$file" ] || fail "$prefix/$file is missing"
    done
    [ -f "$root$autostart/com.tolva.kxconfig.desktop" ] ||
        fail "no autostart entry in $autostart"

    # The configuration is a file under etc/, and the program directory links to it:
    # absolutely from /usr to /etc, relatively within any other prefix.
    local config="$etc/kxconfig/KXConfig.INI" link
    [ -f "$root$config" ] && [ ! -L "$root$config" ] || fail "$config is no file"
    link="$(readlink "$usr/lib/kxconfig/KXConfig.INI")" || fail "KXConfig.INI is no link"
    if [ "$etc" = /etc ]; then
        [ "$link" = "$config" ] || fail "KXConfig.INI links to '$link', not to $config"
    else
        [ "$(realpath -m "$usr/lib/kxconfig/$link")" = "$(realpath "$root$config")" ] &&
            [ "${link#/}" = "$link" ] || fail "KXConfig.INI links to '$link', not to $config"
    fi
    [ "$(readlink "$usr/bin/kxconfig")" = ../lib/kxconfig/kxconfig ] ||
        fail "$prefix/bin/kxconfig is not a relative link to the program"
    [ "$(readlink "$usr/bin/kxctl")" = ../lib/kxconfig/kxctl ] ||
        fail "$prefix/bin/kxctl is not a relative link to the command"
    "$usr/bin/kxctl" --help >/dev/null || fail "kxctl --help failed"

    # The program finds its library beside itself, never in the build tree.
    local runpath
    runpath="$(readelf -d "$usr/lib/kxconfig/kxconfig" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"
    [ "$runpath" = '$ORIGIN' ] || fail "the program's run path is '$runpath'"

    desktop-file-validate "$usr/share/applications/com.tolva.kxconfig.desktop" \
        "$root$autostart/com.tolva.kxconfig.desktop" || fail "invalid desktop entry"
    appstreamcli validate --no-net --pedantic \
        "$usr/share/metainfo/com.tolva.kxconfig.metainfo.xml" >"$work/appstream.log" 2>&1 || {
        cat "$work/appstream.log" >&2
        fail "invalid AppStream metadata"
    }
    # Menu and login start the command found on PATH.
    for file in "$usr/share/applications/com.tolva.kxconfig.desktop" \
        "$root$autostart/com.tolva.kxconfig.desktop"; do
        grep -qx 'Exec=kxconfig' "$file" || fail "$file does not start kxconfig"
    done

    local version
    version="$("$usr/bin/kxconfig" --version)" || fail "kxconfig --version failed"
    [ "$version" = "KXConfig $KX_VERSION" ] || fail "kxconfig --version says '$version'"
    for file in kxconfig kxctl; do
        grep -qF "$KX_VERSION" <(zcat "$usr/share/man/man1/$file.1.gz") ||
            fail "the manual page of $file names another version"
    done
    # kxctl's manual page tells every command and option its help lists.
    local page command word
    page="$(zcat "$usr/share/man/man1/kxctl.1.gz" | sed 's/\\-/-/g')"
    for command in $("$usr/bin/kxctl" --help | sed -n 's/^  \([a-z]\+\) .*/\1/p'); do
        grep -q "^\.B $command\b" <<<"$page" || fail "kxctl(1) has no command $command"
        for word in $("$usr/bin/kxctl" "$command" --help | grep -o -- '--[a-z-]\+'); do
            grep -q -- "$word\b" <<<"$page" || fail "kxctl(1) does not tell $command $word"
        done
    done
}
