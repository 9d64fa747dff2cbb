#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Quorvel with the Qt of Debian 13 (6.8), beside the Debian 12 that ./test runs on: a Debian 13
# root made by debootstrap, kept between runs and brought up to date, in which the debian13 presets
# build and test the source folder, mounted at /src.
#   scripts/debian13.sh root   makes the root, or installs what it misses and updates it once a day
#   scripts/debian13.sh build  builds in the root, which must have been made
#   scripts/debian13.sh test   builds and tests in the root
#   scripts/debian13.sh        both
#   scripts/debian13.sh run COMMAND...   runs a command in the root, in /src (bash without one)
# The root lies in $QUORVEL_DEBIAN13_ROOT, by default ~/.cache/quorvel/debian13; it is made from the
# mirror $QUORVEL_DEBIAN_MIRROR where that is set, else from debootstrap's own, and takes its
# updates from the mirror it was made from. Needs root (or sudo) and debootstrap; under sudo, the
# root and build/debian13 belong to the user who called the script. Mounts live in a mount
# namespace of their own and end with the script.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root=${QUORVEL_DEBIAN13_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/debian13}
mirror=${QUORVEL_DEBIAN_MIRROR:-}
marker=$root/.quorvel-packages
# Whom the root and the build belong to: the user who called sudo, else root.
owner=${SUDO_UID:-0}:${SUDO_GID:-0}

# What the debian13 presets build and run: the debug build, the unit, window, X11 and random tests
# and the end-to-end tests without a window manager and under openbox.
packages=(
    cmake ninja-build g++ pkgconf qt6-base-dev libgl-dev libxcb1-dev qt6-translations-l10n
    fonts-liberation2 fonts-dejavu-core libgtest-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick python3
    openbox wmctrl dbus-x11 at-spi2-core python3-gi gir1.2-atspi-2.0
)

fail() {
    echo "debian13: $*" >&2
    exit 1
}

# Gives what the script made to the user who called it through sudo.
give_to_caller() {
    [ "$owner" = 0:0 ] || chown -R "$owner" "$@"
}

if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || fail "making and entering the Debian 13 root needs root or sudo."
    # The folders around the root and the build are the caller's own.
    mkdir -p "$(dirname "$root")" "$source_dir/build"
    exec sudo QUORVEL_DEBIAN13_ROOT="$root" ${mirror:+QUORVEL_DEBIAN_MIRROR="$mirror"} "$0" "$@"
fi

# Runs a command inside the root, with /proc, /dev, a fresh /tmp and the source folder mounted
# in a mount namespace that ends with it, and an environment of its own.
in_root() {
    unshare --mount --propagation private -- bash -euc '
        root=$1 source_dir=$2
        shift 2
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/tmp"
        mount -t tmpfs -o mode=0700 tmpfs "$root/run"
        mkdir -p "$root/src"
        mount --bind "$source_dir" "$root/src"
        cp /etc/resolv.conf "$root/etc/resolv.conf"
        exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            XDG_RUNTIME_DIR=/run DEBIAN_FRONTEND=noninteractive "$@"
    ' in_root "$root" "$source_dir" "$@"
}

# Removes a root that debootstrap left behind. Cut short, debootstrap leaves /proc and /sys
# mounted in it: they are unmounted first, and the removal never crosses into a mount, so that it
# cannot reach the machine's own files.
remove_tree() {
    findmnt -rn -o TARGET | awk -v tree="$1/" 'index($0, tree) == 1' | sort -r |
        while read -r mount; do umount -l "$mount"; done
    rm -rf --one-file-system "$1"
}

make_root() {
    command -v debootstrap >/dev/null 2>&1 || fail "debootstrap is missing: apt-get install debootstrap."
    local wanted="${packages[*]}"
    if [ ! -e "$marker" ]; then
        # Made beside the root and moved into its place only when complete, so that a root cut
        # short by a lost connection or a full disk is never taken for one.
        local partial=$root.partial
        remove_tree "$partial"
        mkdir -p "$(dirname "$root")"
        local from=${mirror:-the mirror debootstrap chooses}
        echo "debian13: making a Debian 13 root in $root from $from"
        if ! debootstrap --variant=minbase trixie "$partial" ${mirror:+"$mirror"} >"$root.log" 2>&1; then
            tail -n 5 "$root.log" >&2
            remove_tree "$partial"
            fail "the Debian 13 root could not be made from $from (is it reachable, is there space" \
                "in $(dirname "$root")?); the log is $root.log."
        fi
        # Packages are unpacked, not started: no service runs in the root.
        printf '#!/bin/sh\nexit 101\n' >"$partial/usr/sbin/policy-rc.d"
        chmod +x "$partial/usr/sbin/policy-rc.d"
        rm -rf "$root"
        mv "$partial" "$root"
        : >"$marker"
    fi
    # Debian 13 with its stable updates, from the mirror asked for or the one the root was made from;
    # what the list of packages adds is installed.
    local source=${mirror:-$(awk '$1 == "deb" { print $2; exit }' "$root/etc/apt/sources.list")}
    [ -n "$source" ] || fail "the root in $root names no mirror; set QUORVEL_DEBIAN_MIRROR."
    printf 'deb %s trixie main\ndeb %s trixie-updates main\n' "$source" "$source" >"$root/etc/apt/sources.list"
    if [ "$(cat "$marker")" != "$wanted" ]; then
        echo "debian13: installing the Debian 13 root's packages"
        if ! in_root sh -c "apt-get update -qq && apt-get -y -qq upgrade &&
                apt-get install -y -qq --no-install-recommends $wanted && apt-get clean" \
            >"$root.log" 2>&1; then
            tail -n 5 "$root.log" >&2
            fail "the Debian 13 root's packages could not be installed from $source (is the" \
                "mirror reachable, is there space?); the log is $root.log."
        fi
        echo "$wanted" >"$marker"
    elif [ -n "$(find "$marker" -mtime +0)" ]; then
        # Once a day the root takes Debian 13's updates; where the mirror is out of reach, the
        # root as it is still tests Debian 13's Qt.
        echo "debian13: updating the Debian 13 root"
        if in_root sh -c "apt-get update -qq && apt-get -y -qq upgrade && apt-get clean" >"$root.log" 2>&1; then
            touch "$marker"
        else
            echo "debian13: warning: the Debian 13 root could not be updated from $source; it is" \
                "tested as it is (the log is $root.log)." >&2
        fi
    fi
    give_to_caller "$root" "$root.log"
}

# Runs a command in /src in the root, which must be complete, and gives what it made to the caller.
in_complete_root() {
    [ "$(cat "$marker" 2>/dev/null)" = "${packages[*]}" ] ||
        fail "there is no complete Debian 13 root in $root: scripts/debian13.sh root makes it."
    local status=0
    in_root sh -c "cd /src && $1" || status=$?
    give_to_caller "$source_dir/build/debian13" "$root"
    return $status
}
build='cmake --preset debian13 >/dev/null && cmake --build --preset debian13'
# The tests mostly wait for X servers and window managers: twice as many at once as processors.
tests="$build && ctest --preset debian13 -j \$((2 * \$(nproc)))"

case "${1:-all}" in
root) make_root ;;
run)
    shift
    [ $# -gt 0 ] || set -- bash
    in_root sh -c 'cd /src && exec "$@"' run "$@"
    ;;
build) in_complete_root "$build" ;;
test) in_complete_root "$tests" ;;
all)
    make_root
    in_complete_root "$tests"
    ;;
*)
    echo "Usage: scripts/debian13.sh [root|build|test|run COMMAND...]" >&2
    exit 2
    ;;
esac
