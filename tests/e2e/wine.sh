#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# quorvel.exe as a Windows user has it: unpacked from the zip, started under Wine in an empty Wine
# prefix at the prefix's dots per inch (96, or 144 as Windows at 150 %), on Xvfb. Wine stands in for
# Windows, in one of two ways:
#   windows           no window manager: Wine manages the windows as Windows does, in Windows' own
#                     frame, and a drag of it is Windows' own, which keeps the window's minimum
#                     track size;
#   openbox | kwin    the window manager frames the window. Wine does not tell it the window's
#                     minimum track size, so a drag of its frame is not tried.
# A size given from outside is one another Windows program gives the window (windows_probe), which
# Windows keeps at the window's least size; a size an X client gives Wine's window is Wine's
# business, and not tried.
# The frame the program measures is Windows' own, within its invisible resize borders
# (windows_probe tells it). The user's steps: the first show (the designed client area, grown where
# the frame leaves the window below its least height, centred on the work area), the viewport where
# it stands on Linux, a drag of the frame's corner outwards and towards 150 x 150 (Windows' frame),
# two resizes to 10 x 10 from outside, a drag of the picture, maximise and restore (by the window
# manager, or as the taskbar does), and closing the window; then a second start ended by "&Ende".
# Both end with status 0. On a screen smaller than 1280 x 1024 (640 x 480, smaller than the window at 144 dpi) the window manager
# decides and may refuse the sizes the program asks for, which Wine then shows in part: after the
# first show, maximise and full screen and back, the program runs on with one window, no error box
# and no endless exchange of sizes.
#   wine.sh <zip> <windows | openbox | kwin> <dpi> <WIDTHxHEIGHT> <windows_probe.exe>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/lib.sh"
zip=$1 dpi=$3 screen=$4 probe=$5
[ -f "$zip" ] || fail "no zip $zip: cmake --build --preset windows --target packages makes it"
if [ "$2" = windows ]; then
    start_desktop none none "$screen"
    WM_NAME=windows
else
    start_desktop "$2" none "$screen"
fi
RATIO=$(awk -v dpi="$dpi" 'BEGIN { print dpi / 96 }')
SCALE="$dpi dpi"

# Wine keeps its server's socket in a folder it makes in TMPDIR: the test's own.
export WINEPREFIX=$E2E_WORK/prefix TMPDIR=$E2E_WORK/tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir "$TMPDIR"
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; e2e_cleanup' EXIT
trap 'echo "FAIL [$WM_NAME, scale $SCALE]: line $LINENO ended the test" >&2' ERR
wineboot -i >/dev/null 2>&1 || fail "no Wine prefix"
[ "$dpi" = 96 ] || wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# Without a window manager Wine is Windows' own: it draws the frames and moves, sizes, maximises and
# restores the windows itself.
[ "$WM_NAME" != windows ] || wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
unzip -q "$zip" -d "$E2E_WORK/unpacked"
exe=$(echo "$E2E_WORK"/unpacked/quorvel-*/quorvel.exe)
[ -f "$exe" ] || fail "no quorvel.exe in $zip"

# Windows' visible frame, its invisible resize border, its work area and its dots per inch, in
# device pixels.
read -r frame_l frame_t frame_r frame_b border work_x work_y work_w work_h system_dpi < <(wine "$probe" | tr -d '\r')
[ "$system_dpi" = "$dpi" ] || fail "Wine runs at $system_dpi dpi, not $dpi"
# No panel takes the top of the screen: a window centred on the work area is centred on its height.
[ "$work_y" = 0 ] || fail "the work area starts at $work_y"

# The client area as Windows has it, on the screen: where a window manager reshapes Wine's window,
# Windows may keep another size, which is the program's. Its frame is Windows' visible one, from
# which lib.sh derives the least and the designed client area and the outer size, and which the
# window is centred with.
client_geometry() { wine "$probe" client | tr -d '\r'; }
frame_extents() { echo "$frame_l $frame_r $frame_t $frame_b"; }
# The client area alone, from the screen.
take_shot() {
    local x y w h
    read -r x y w h < <(client_geometry)
    import -window root -crop "${w}x$h+$x+$y" +repage "$shot"
}
# The viewport's left edge where it stands on Linux, 144 logical pixels from the client area's, seen
# near its bottom, below the sheet; lib.sh's viewport_edges sees its right and bottom edges.
viewport_placed() {
    local h inside outside y
    read -r _ h < <(inner_size)
    y=$((h - $(calc "int(8 * r)")))
    take_shot
    read -r inside outside < <(pixels "$(calc "int(144 * r + 0.999)")" "$y" "$(calc "int(144 * r) - 1")" "$y")
    [ "$inside" = "$viewport_colour" ] && [ "$outside" != "$viewport_colour" ] && viewport_edges ||
        echo "not at 144: $inside, $outside"
}
viewport_check=viewport_placed
# The outer size, as the window has it now.
outer_size() { outer_geometry | cut -d' ' -f3-; }

start_wine() {
    wine "$exe" 2>"$E2E_WORK/quorvel.err" &
    QUORVEL_PID=$!
    await_window
}
# The program writes nothing on stderr; Wine may.
expect_quiet() {
    ! grep -v -E '^[0-9a-f]{4}:(fixme|err|warn|trace):' "$E2E_WORK/quorvel.err" || fail "quorvel wrote to stderr"
}

start_wine
read -r screen_w screen_h < <(screen_size)
if [ "$screen_w" -lt 1280 ]; then
    # The window manager gives Wine's window sizes that Windows, keeping the least size, may not
    # give the program's window: what the screen shows of it is then Wine's business. The program
    # runs on with its one window, no error box, and no endless exchange of sizes.
    survives() {
        settled >/dev/null
        expect_one_window "$1"
        expect_at_rest "$1"
        echo "$1: $(window_state), outer $(outer_geometry)"
    }
    survives "first show"
    for state in maximized_vert,maximized_horz fullscreen; do
        wmctrl -i -r "$window" -b "add,$state"
        survives "$state asked"
        wmctrl -i -r "$window" -b "remove,$state"
        survives "$state removed"
    done
    wmctrl -i -c "$window"
    expect_exit 0
    expect_quiet
    echo "ok: $WM_NAME, $dpi dpi, screen $screen"
    exit 0
fi

# The first show.
read -r least_w least_h < <(least_client)
wait_until "$(designed_client)" "the first show" inner_size
expect_centred "first show" "$work_x" "$work_w" "$work_h"
expect_sound "first show"
echo "first show: Windows' visible frame $frame_l $frame_t $frame_r $frame_b, client $(client_geometry)"

if [ "$WM_NAME" = windows ]; then
    # Windows' own drag of its frame: outwards it follows the pointer, and towards 150 x 150 it stops
    # at the least size, where it stood.
    read -r x0 y0 w0 h0 < <(outer_geometry)
    drag_corner 120 90 10
    read -r _ _ w h _ < <(settled)
    [ $((w - w0)) -ge 60 ] && [ $((h - h0)) -ge 45 ] || fail "a drag of the corner by 120, 90 took the window from ${w0}x$h0 to ${w}x$h"
    step_done "after growing"
    read -r x0 y0 w0 h0 < <(outer_geometry)
    drag_corner $((150 - w0)) $((150 - h0)) 20
    wait_until "$least_w $least_h" "a drag towards 150 x 150" inner_size
    read -r x y _ < <(outer_geometry)
    [ "$x $y" = "$x0 $y0" ] || fail "the window jumped from $x0, $y0 to $x, $y"
    expect_sound "after shrinking"
fi
# Sizes from outside below the least size, twice: Windows keeps the least size.
for _ in 1 2; do
    wine "$probe" size 10 10 || fail "no window to resize"
    wait_until "$least_w $least_h" "a resize to 10 x 10" inner_size
    expect_sound "resized to 10 x 10"
done

# The picture, now wider than the viewport, dragged as far as it goes to the left: its left edge, a
# dark grey line, leaves the viewport's left edge, and at the right the sheet still reaches the
# viewport's edge, with no gap of the viewport's colour.
dark_pixels() {
    convert "$shot" -crop "${3}x${4}+${1}+${2}" +repage -colorspace gray -threshold 50% -negate \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}
sheet_edges() {
    local w h right band top height
    read -r w h < <(inner_size)
    right=$(calc "int((int($w / r + 0.5) - 5) * r)")
    band=$(calc "int(2 * r) + 2")
    top=$(calc "int(40 * r)")
    height=$(calc "int(100 * r)")
    take_shot
    echo "left $(dark_pixels "$(calc "int(144 * r)")" "$top" "$band" "$height")" \
        "gap $(count_colour $((right - band)) "$top" "$band" "$height" "$viewport_colour")"
}
read -r _ left _ gap < <(sheet_edges)
[ "$left" -gt 0 ] && [ "$gap" -eq 0 ] || fail "before the drag the sheet's edges show left $left, gap $gap"
read -r x y _ < <(client_geometry)
from_x=$((x + $(calc "int(240 * r)"))) from_y=$((y + $(calc "int(100 * r)")))
xdotool mousemove --sync "$from_x" "$from_y" mousedown 1
for step in $(seq 10); do
    xdotool mousemove $((from_x - step * 40)) "$from_y" sleep 0.05
done
xdotool mouseup 1
wait_until "left 0 gap 0" "after the drag, the sheet's edges" sheet_edges
step_done "picture dragged"

# Maximises, restores or closes the window as the window manager does, or where none runs, as
# Windows' taskbar does.
ask_window() {
    if [ "$WM_NAME" = windows ]; then
        wine "$probe" "$1"
        return
    fi
    case "$1" in
    maximise) wmctrl -i -r "$window" -b add,maximized_horz,maximized_vert ;;
    restore) wmctrl -i -r "$window" -b remove,maximized_horz,maximized_vert ;;
    close) wmctrl -i -c "$window" ;;
    esac
}

# Maximise and restore.
least_outer=$(outer_size)
ask_window maximise
# Maximised, the window fills the work area: in Windows' frame, and where the window manager says so.
maximised() {
    if [ "$WM_NAME" = windows ]; then
        read -r _ _ w h < <(outer_geometry) && [ "$w" -ge $((work_w - 10)) ] && [ "$h" -ge $((work_h - 10)) ] && echo yes
    else
        [ "$(window_state)" = MAXIMIZED_HMAXIMIZED_V ] && echo yes
    fi
}
wait_until yes "maximised" maximised
expect_sound "maximised"
ask_window restore
wait_until "$least_outer" "the outer size restored from maximised" outer_size
expect_sound "restored"

# Closing the window ends the program normally.
ask_window close
expect_exit 0
expect_quiet

# "&Ende", at 92, 336 logical pixels, 37 x 25, ends it too.
start_wine
wait_until "$(designed_client)" "the second show" inner_size
step_done "second show"
read -r x y _ < <(client_geometry)
xdotool mousemove --sync $((x + $(calc "int(110 * r)"))) $((y + $(calc "int(348 * r)"))) click 1
expect_exit 0
expect_quiet
echo "ok: $WM_NAME, $dpi dpi"
