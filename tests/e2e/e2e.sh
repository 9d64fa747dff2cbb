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

# Waits until the window has the inner size asked for.
wait_for_size() {
    local want_w=$1 want_h=$2 w h
    for _ in $(seq 50); do
        read -r w h < <(inner_size)
        [ "$w" -eq "$want_w" ] && [ "$h" -eq "$want_h" ] && return 0
        sleep 0.1
    done
    fail "size is ${w}x${h}, expected ${want_w}x${want_h}"
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
    # 8310 x 5610 twips of client area are 554 x 374 pixels; the title is the program's name.
    read -r w h < <(inner_size)
    [ "$w" -eq 554 ] && [ "$h" -eq 374 ] || fail "client area ${w}x${h}, expected 554x374"
    [ "$(xdotool getwindowname "$window")" = "Quorvel" ] || fail "title is $(xdotool getwindowname "$window")"
    ;;
minimum-size)
    # Without a window manager the window has the nominal frame of 8 x 27 pixels, so the minimum
    # of 4000 x 6000 twips outside (267 x 400 pixels) leaves 259 x 373 inside.
    xdotool windowsize "$window" 150 150
    wait_for_size 259 373
    ;;
alt-e)
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    xdotool key --window "$window" alt+e
    expect_exit 0
    echo "ok: $scenario"
    exit 0
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac

kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "ok: $scenario"
