#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what installing Quorvel puts on a machine.
#   install.sh <build folder> package       the Debian package: lintian, fields, contents, and its
#                                           binary starts
#   install.sh <source folder> reproducible two builds of the same commit give the same package
set -euo pipefail
build=$1
what=$2
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/xvfb.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
id=io.github.quorvel.Quorvel

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The desktop entry, the AppStream metadata, the icon theme's pictures and the manual page, all
# under the application's id, as software centres and desktops look for them.
check_desktop_files() {
    local share=$1/share
    desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry is not valid"
    grep -q "^Icon=$id$" "$share/applications/$id.desktop" || fail "the desktop entry names another icon"
    appstreamcli validate --no-net --explain "$share/metainfo/$id.metainfo.xml" >"$work/appstream" 2>&1 ||
        fail "AppStream: $(cat "$work/appstream")"
    grep -Eq '^(E|W):' "$work/appstream" && fail "AppStream: $(cat "$work/appstream")"
    for size in 16 32 48 256; do
        [ "$(identify -format '%wx%h' "$share/icons/hicolor/${size}x${size}/apps/$id.png")" = "${size}x${size}" ] ||
            fail "no ${size} pixel icon"
    done
    zcat "$share/man/man1/quorvel.1.gz" | grep -q 'Papierformulare am Bildschirm ausf' || fail "no German manual page"
}

package() { # <build folder> <into folder>: the package's path
    (cd "$2" && cpack --config "$1/CPackConfig.cmake" -B "$2" >/dev/null) && ls "$2"/quorvel_*.deb
}

case "$what" in
package)
    deb=$(package "$build" "$work")
    # Lintian leaves a cache of its own in TMPDIR.
    TMPDIR=$work lintian "$deb" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
    grep -Eq '^(E|W):' "$work/lintian" && fail "lintian: $(cat "$work/lintian")"
    depends=$(dpkg-deb --field "$deb" Depends)
    for needed in libqt6widgets6 fonts-liberation2 fonts-dejavu-core qt6-translations-l10n; do
        [[ "$depends" == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
    done
    dpkg-deb -x "$deb" "$work/root"
    check_desktop_files "$work/root/usr"
    # The packaged binary starts and shows its window.
    start_xvfb
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work "$work/root/usr/bin/quorvel" &
    timeout 20 xdotool search --sync --onlyvisible --name '^Quorvel$' >/dev/null || fail "no window"
    kill $!
    ;;
reproducible)
    for copy in first second; do
        cmake -G Ninja -S "$build" -B "$work/$copy" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF >/dev/null
        cmake --build "$work/$copy" >/dev/null
        mkdir "$work/$copy/package"
        package "$work/$copy" "$work/$copy/package" >/dev/null
    done
    cmp "$work"/first/package/quorvel_*.deb "$work"/second/package/quorvel_*.deb || fail "the two packages differ"
    ;;
*)
    fail "unknown check $what"
    ;;
esac
echo "ok: $what"
