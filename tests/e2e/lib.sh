# What the end-to-end tests share: a private display with or without a window manager, the real
# quorvel binary on it, its geometry as the X server has it, screenshots and their pixels. Every
# file and process a test makes is removed or stopped when it exits, also when it fails.
#   source lib.sh; start_desktop <window manager or none>; start_quorvel <binary>

e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$e2e_here/../../scripts/xvfb.sh"

E2E_WORK=$(mktemp -d)
shot="$E2E_WORK/shot.png"
QUORVEL_PID=
WM_PID=
WM_NAME=none

fail() {
    echo "FAIL${WM_NAME:+ [$WM_NAME]}: $*" >&2
    if [ -s "$E2E_WORK/wm.log" ]; then
        echo "--- window manager's output:" >&2
        tail -n 20 "$E2E_WORK/wm.log" >&2
    fi
    exit 1
}

e2e_cleanup() {
    [ -n "$QUORVEL_PID" ] && kill "$QUORVEL_PID" 2>/dev/null
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
    stop_xvfb
    wait 2>/dev/null
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

# The window a running window manager names as its own, or nothing.
wm_check_window() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}'
}

# Starts Xvfb (screen size optional), and the window manager on it unless wm is none; waits until
# the window manager has taken over the screen.
start_desktop() {
    WM_NAME=$1
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    start_xvfb "${2:-1280x1024}" || fail "Xvfb did not start"
    [ "$WM_NAME" = none ] && return 0
    # xfwm4 and kwin want a session bus; one of its own keeps the test apart from the machine's.
    eval "$(dbus-launch --sh-syntax)"
    local command
    case "$WM_NAME" in
    openbox) command=(openbox) ;;
    xfwm4) command=(xfwm4 --compositor=off) ;;
    metacity) command=(metacity) ;;
    kwin) command=(kwin_x11) ;;
    *) fail "unknown window manager $WM_NAME" ;;
    esac
    "${command[@]}" >"$E2E_WORK/wm.log" 2>&1 &
    WM_PID=$!
    local check
    for _ in $(seq 100); do
        check=$(wm_check_window)
        [ -n "$check" ] && xprop -id "$check" _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && return 0
        kill -0 "$WM_PID" 2>/dev/null || fail "$WM_NAME ended at start"
        sleep 0.1
    done
    fail "$WM_NAME did not take over the screen"
}

# Starts quorvel and waits for its window; sets QUORVEL_PID and window.
start_quorvel() {
    QT_QPA_PLATFORM=xcb "$1" 2>"$E2E_WORK/quorvel.err" &
    QUORVEL_PID=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvel$' | head -n 1) || fail "no window"
}

# Waits for the program to end and checks its exit status.
expect_exit() {
    local want=$1 status=0
    for _ in $(seq 100); do
        kill -0 "$QUORVEL_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$QUORVEL_PID" 2>/dev/null && fail "quorvel is still running"
    wait "$QUORVEL_PID" || status=$?
    QUORVEL_PID=
    [ "$status" -eq "$want" ] || fail "exit status $status, expected $want"
}

# The client area of the window: "x y width height", x and y on the screen. xdotool counts the
# place of a window inside a window manager's frame twice; xwininfo does not.
client_geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}
inner_size() {
    client_geometry | awk '{print $3, $4}'
}
screen_size() {
    xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}'
}
# The window manager's frame around the client: "left right top bottom", zeros without one.
frame_extents() {
    local extents
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
    echo "${extents:-0 0 0 0}"
}
# The window as the user sees it, frame included: "x y width height".
outer_geometry() {
    local x y w h l r t b
    read -r x y w h < <(client_geometry)
    read -r l r t b < <(frame_extents)
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
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

# Screenshots of the window, and what they show at a point or in an area.
take_shot() {
    import -window "$window" "$shot"
}
# The colour at x, y as "r,g,b".
pixel() {
    convert "$shot" -format '%[fx:int(255*p{'"$1"','"$2"'}.r)],%[fx:int(255*p{'"$1"','"$2"'}.g)],%[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}
# How many pixels of the w x h area at x, y have exactly the colour r,g,b.
count_colour() {
    local x=$1 y=$2 w=$3 h=$4 colour=$5
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -fill black +opaque "rgb($colour)" \
        -fill white -opaque "rgb($colour)" -format '%[fx:int(mean*w*h+0.5)]' info:
}
# Takes screenshots until the w x h area at x, y has a number of pixels of the colour that the
# awk condition (on n) accepts; prints that number.
wait_for_count() {
    local x=$1 y=$2 w=$3 h=$4 colour=$5 condition=$6 n
    for _ in $(seq 50); do
        take_shot
        n=$(count_colour "$x" "$y" "$w" "$h" "$colour")
        awk -v n="$n" "BEGIN { exit !($condition) }" && break
        sleep 0.1
    done
    echo "$n"
}
# Takes screenshots until the pixel at x, y has the colour, or fails.
wait_for_pixel() {
    local x=$1 y=$2 want=$3 what=$4 got
    for _ in $(seq 50); do
        take_shot
        got=$(pixel "$x" "$y")
        [ "$got" = "$want" ] && return 0
        sleep 0.1
    done
    fail "$what: pixel ($x, $y) is $got, expected $want"
}
expect_pixel() {
    local got
    got=$(pixel "$1" "$2")
    [ "$got" = "$3" ] || fail "$4: pixel ($1, $2) is $got, expected $3"
}

viewport_colour="255,255,192"

# The viewport fills the client area less the margins measured at start-up: 2235 twips (149
# pixels) of width and 195 twips (13 pixels) of height, from (144, 8). Its last column and row
# have the viewport's colour below the sheet, the next ones the window's.
expect_viewport_fills() {
    local what=$1 w h right past_right bottom past_bottom
    for _ in $(seq 50); do
        read -r w h < <(inner_size)
        take_shot
        right=$(pixel $((w - 6)) $((h - 7)))
        past_right=$(pixel $((w - 5)) $((h - 7)))
        bottom=$(pixel 150 $((h - 6)))
        past_bottom=$(pixel 150 $((h - 5)))
        [ "$right" = "$viewport_colour" ] && [ "$past_right" != "$viewport_colour" ] &&
            [ "$bottom" = "$viewport_colour" ] && [ "$past_bottom" != "$viewport_colour" ] && return 0
        sleep 0.1
    done
    fail "$what: the viewport does not end 5 pixels inside the ${w}x${h} client area" \
        "(last column $right, next $past_right; last row $bottom, next $past_bottom)"
}
