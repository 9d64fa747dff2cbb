#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows installer as an administrator runs it, under Wine in an empty Wine prefix on Xvfb:
# installed silently (/S), quorvel.exe lies in the programs folder with its licence texts, the
# Start menu has its entry and "Apps" its uninstaller; the installed program starts and "&Ende" ends
# it with status 0. Uninstalled silently through the command "Apps" has for it, nothing of it is
# left: no file, no folder, no Start-menu entry, no registry entry.
#   windows.sh <setup.exe>
set -euo pipefail
source "$(cd "$(dirname "$0")" && pwd)/../e2e/lib.sh"
setup=$1
[ -f "$setup" ] || fail "no installer $setup: cmake --build --preset windows --target packages makes it"
start_desktop none
# Wine keeps its server's socket in a folder it makes in TMPDIR: the test's own.
export WINEPREFIX=$E2E_WORK/prefix TMPDIR=$E2E_WORK/tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir "$TMPDIR"
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; e2e_cleanup' EXIT
wineboot -i >/dev/null 2>&1 || fail "no Wine prefix"
wineserver -w

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
folder="$WINEPREFIX/drive_c/Program Files/Quorvel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk"

wine "$setup" /S || fail "the silent installation ended with status $?"
wineserver -w
for file in quorvel.exe LIESMICH.txt LICENSES/GPL-3.0-or-later.txt LICENSES/Qt/LGPL-3.0-only.txt Deinstallieren.exe; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
[ "$(value DisplayName)" = Quorvel ] || fail "\"Apps\" names it \"$(value DisplayName)\""
uninstall=$(value QuietUninstallString)
[ "$uninstall" = '"C:\Program Files\Quorvel\Deinstallieren.exe" /S' ] || fail "the silent uninstall command is $uninstall"
echo "installed: $(value DisplayName) $(value DisplayVersion), $(du -sk "$folder" | cut -f1) KiB"

# The installed program shows its window; "&Ende", at 92, 336 logical pixels, 37 x 25, ends it.
wine 'C:\Program Files\Quorvel\quorvel.exe' &
QUORVEL_PID=$!
await_window
xdotool mousemove --window "$window" 110 348 click 1
expect_exit 0

# "Apps" uninstalls it; the uninstaller goes on from a copy of itself in the temporary folder, which
# wineserver -w awaits. Wine 8 now and then fails to start a process that another one creates, when
# the new process finds the place of the shared user data taken ("failed to map the shared user
# data"): the copy never runs and the uninstaller ends with status 2, having removed nothing. That
# failure of Wine, and only that one, is met by uninstalling once more.
uninstall() {
    local status=0
    WINEDEBUG=-all,err+virtual wine 'C:\Program Files\Quorvel\Deinstallieren.exe' /S 2>"$E2E_WORK/uninstall.log" || status=$?
    wineserver -w
    return $status
}
status=0
uninstall || status=$?
if [ "$status" -eq 2 ] && grep -q 'failed to map the shared user data' "$E2E_WORK/uninstall.log"; then
    echo "Wine could not start the uninstaller's copy (failed to map the shared user data): once more"
    status=0
    uninstall || status=$?
fi
[ "$status" -eq 0 ] || { cat "$E2E_WORK/uninstall.log" >&2; fail "the silent uninstallation ended with status $status"; }
[ ! -e "$folder" ] || fail "left behind: $(find "$folder" | head -n 5)"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left"
! wine reg query "$key" >/dev/null 2>&1 || fail "the entry under \"Apps\" is left"
left=$(find "$WINEPREFIX/drive_c" -iname '*quorvel*' -o -iname 'Deinstallieren*' | head -n 5)
[ -z "$left" ] || fail "left behind: $left"
echo "ok: installed, started, ended and uninstalled"
