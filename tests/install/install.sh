#!/usr/bin/env bash
# Checks what installing Quorvel puts on a machine.
#   install.sh <build folder> install   cmake --install into a temporary prefix
#   install.sh <build folder> package   the Debian package: fields, contents, and its binary starts
set -euo pipefail
build=$1
what=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The desktop entry and the icon theme's pictures under a prefix.
check_desktop_files() {
    local prefix=$1
    desktop-file-validate "$prefix/share/applications/quorvel.desktop" || fail "desktop entry is not valid"
    grep -q '^Categories=Office;$' "$prefix/share/applications/quorvel.desktop" || fail "not in the Office category"
    grep -q '^Comment=Papierformulare am Bildschirm ausfüllen$' "$prefix/share/applications/quorvel.desktop" ||
        fail "no German comment"
    for size in 16 32 48 256; do
        local icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorvel.png"
        [ -f "$icon" ] || fail "no ${size} pixel icon"
        [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size} pixel icon has another size"
    done
}

case "$what" in
install)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    [ -x "$work/prefix/bin/quorvel" ] || fail "no binary installed"
    check_desktop_files "$work/prefix"
    ;;
package)
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
    deb=$(ls "$work"/quorvel_*.deb)
    depends=$(dpkg-deb --field "$deb" Depends)
    for needed in libqt6widgets6 fonts-liberation2 fonts-dejavu-core; do
        [[ "$depends" == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
    done
    dpkg-deb -x "$deb" "$work/root"
    check_desktop_files "$work/root/usr"
    # The packaged binary starts and shows its window.
    start_xvfb
    QT_QPA_PLATFORM=xcb "$work/root/usr/bin/quorvel" &
    pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name '^Quorvel$' >/dev/null || fail "no window"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    ;;
*)
    fail "unknown check $what"
    ;;
esac
echo "ok: $what"
