#!/usr/bin/env bash
# End-to-end checks of the real quorvel binary on a private Xvfb display without a window manager,
# driven from outside with xdotool as a user would drive it.
#   e2e.sh <quorvel binary> <scenario>
set -euo pipefail
binary=$1
scenario=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb.sh"
start_xvfb

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$binary" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n 1) || fail "no window"

# The window's inner size in pixels, as the X server has it.
inner_size() {
    xwininfo -id "$window" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}'
}

# Waits until the window has an inner size at least as large as asked.
wait_for_size() {
    local want_w=$1 want_h=$2 w h
    for _ in $(seq 50); do
        read -r w h < <(inner_size)
        [ "$w" -ge "$want_w" ] && [ "$h" -ge "$want_h" ] && return 0
        sleep 0.1
    done
    fail "size is ${w}x${h}, expected at least ${want_w}x${want_h}"
}

# Waits for the process to end and checks its exit status.
expect_exit() {
    local want=$1 status=0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "quorvel is still running"
    wait "$pid" || status=$?
    [ "$status" -eq "$want" ] || fail "exit status $status, expected $want"
}

case "$scenario" in
designed-size)
    # 8310 x 5610 twips of client area are 554 x 374 pixels.
    read -r w h < <(inner_size)
    [ "$w" -eq 554 ] && [ "$h" -eq 374 ] || fail "client area ${w}x${h}, expected 554x374"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac

kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "ok: $scenario"
