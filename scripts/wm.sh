# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts a window manager on the X display in DISPLAY, with a session bus of its own (xfwm4, kwin
# and mutter want one), and waits until it has taken over the screen: its check window names
# itself. Sets WM_PID; the caller stops it and the bus (DBUS_SESSION_BUS_PID) on exit. Sourced by
# the end-to-end tests and the benchmarks.
#   start_window_manager <openbox | xfwm4 | metacity | kwin | mutter> <log file>

start_window_manager() {
    local command check
    case "$1" in
    xfwm4) command=(xfwm4 --compositor=off) ;;
    kwin) command=(kwin_x11) ;;
    mutter) command=(mutter --x11 --replace --sm-disable) ;;
    *) command=("$1") ;;
    esac
    eval "$(dbus-launch --sh-syntax)"
    "${command[@]}" >"$2" 2>&1 &
    WM_PID=$!
    for _ in $(seq 100); do
        check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
        [ -n "$check" ] && xprop -id "$check" _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
