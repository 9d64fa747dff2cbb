# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts a private virtual X display (Xvfb) and exports DISPLAY for it; stop_xvfb stops it. The
# caller stops it on exit (trap stop_xvfb EXIT, or from its own clean-up). Sourced by ./run, the
# benchmarks and the tests.
#   start_xvfb [WIDTHxHEIGHT]

start_xvfb() {
    local screen=${1:-1280x1024} fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # -noreset: helpers such as xdotool, dbus-launch or a window manager connect and disconnect
    # before and after the program; a server reset between them is fatal with -displayfd.
    Xvfb -displayfd 3 -noreset -screen 0 "${screen}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    # Xvfb writes the number, then the newline: read through the newline before the pipe closes.
    if ! read -r -t 10 number <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}
