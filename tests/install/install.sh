#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what installing Quorvel puts on a machine.
#   install.sh <build folder> package   the Debian package: lintian, fields, contents, and its
#                                       binary starts
#   install.sh <source folder> release  the source release of the commit at hand: its tarball,
#                                       built and packaged twice without git, gives the same bytes
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

check_lintian() { # <package>: lintian finds no error and no warning
    # Lintian leaves a cache of its own in TMPDIR.
    TMPDIR=$work lintian "$1" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
    if grep -Eq '^(E|W):' "$work/lintian"; then fail "lintian: $(cat "$work/lintian")"; fi
}

check_file_times() { # <package> <seconds since 1970>: every file of the package has that time
    local expected times
    expected=$(date -u -d "@$2" '+%Y-%m-%d %H:%M:%S')
    times=$(dpkg-deb --fsys-tarfile "$1" | TZ=UTC tar -tv --full-time | awk '{ print $4 " " $5 }' | sort -u)
    [ "$times" = "$expected" ] || fail "the package's files have the times $times, not $expected"
}

case "$what" in
package)
    deb=$(package "$build" "$work")
    check_lintian "$deb"
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
release)
    source=$build
    # The commit at hand: HEAD, with the working tree's changes to its files where there are any,
    # released from a clone of it, which has no changes.
    export GIT_AUTHOR_NAME=install.sh GIT_AUTHOR_EMAIL=install.sh@invalid
    export GIT_COMMITTER_NAME=$GIT_AUTHOR_NAME GIT_COMMITTER_EMAIL=$GIT_AUTHOR_EMAIL
    commit=$(git -C "$source" stash create)
    commit=${commit:-$(git -C "$source" rev-parse HEAD)}
    git clone --quiet --shared --no-checkout "$source" "$work/clone"
    git -C "$work/clone" checkout --quiet --detach "$commit"
    release=$work/clone/scripts/release

    # A release is a commit: a changed file stops it before anything is written.
    echo >>"$work/clone/README.md"
    "$release" --output "$work/refused" >/dev/null 2>"$work/refusal" && fail "a tarball was made from a changed tree"
    grep -q "not committed" "$work/refusal" || fail "the refusal does not say why: $(cat "$work/refusal")"
    [ ! -e "$work/refused" ] || fail "a refused release wrote something"
    git -C "$work/clone" checkout --quiet -- README.md

    # The same commit gives the same tarball.
    "$release" --output "$work" >/dev/null
    tarball=$(ls "$work"/quorvel-*.tar.xz)
    name=$(basename "$tarball" .tar.xz)
    "$release" --output "$work/again" >/dev/null
    cmp "$tarball" "$work/again/$name.tar.xz" || fail "two tarballs of the same commit differ"
    # By default the tarball goes where git does not look, so that the script runs again; and it
    # is the same whatever line endings, umask and attributes the caller's git is set to.
    (cd "$work/clone" && "$release" >/dev/null && "$release" >/dev/null) ||
        fail "a second release from the same checkout was refused"
    cmp "$tarball" "$work/clone/build/$name.tar.xz" || fail "the release in build/ differs"
    git -C "$work/clone" config core.autocrlf true
    git -C "$work/clone" config tar.umask 0077
    printf '* text eol=crlf\n*.md export-ignore\n' >"$work/attributes"
    git -C "$work/clone" config core.attributesFile "$work/attributes"
    mkdir -p "$work/clone/.git/info"
    cp "$work/attributes" "$work/clone/.git/info/attributes"
    "$release" --output "$work/settings" >/dev/null
    cmp "$tarball" "$work/settings/$name.tar.xz" || fail "the caller's git settings changed the tarball"
    rm "$work/clone/.git/info/attributes"
    for setting in core.autocrlf tar.umask core.attributesFile; do git -C "$work/clone" config --unset "$setting"; done

    # A checkout's packages have the time of its last commit, also after a commit made since the
    # build was configured, and never that of a repository which GIT_DIR names.
    (cd "$work/clone" && env -u SOURCE_DATE_EPOCH cmake --preset release >/dev/null)
    printf 'include(${config})\nmessage("$ENV{SOURCE_DATE_EPOCH}")\n' >"$work/time.cmake"
    file_time() { env -u SOURCE_DATE_EPOCH "$@" cmake -Dconfig="$work/clone/build/release/CPackProjectConfig.cmake" -P "$work/time.cmake" 2>&1; }
    git init --quiet "$work/other"
    GIT_COMMITTER_DATE=@1000000000 git -C "$work/other" commit --quiet --allow-empty -m other
    for git_dir in "" "GIT_DIR=$work/other/.git" GIT_DIR=/nonexistent; do
        [ "$(file_time $git_dir)" = "$(git -C "$work/clone" log -1 --format=%ct)" ] ||
            fail "with ${git_dir:-no GIT_DIR} the packages have the time $(file_time $git_dir)"
    done
    GIT_COMMITTER_DATE=@1700000000 git -C "$work/clone" commit --quiet --allow-empty -m later
    [ "$(file_time)" = 1700000000 ] || fail "a new commit left the packages at the time $(file_time)"

    # Exactly the commit's files, in one folder named as the tarball is.
    diff <(tar -tJf "$tarball" | grep -v '/$' | sort) \
        <(git -C "$work/clone" ls-files | sed "s|^|$name/|" | sort) >"$work/difference" ||
        fail "the tarball holds other files than the commit: $(cat "$work/difference")"

    # Built and packaged twice, each copy unpacked in a folder of its own, where there is no git.
    # Every file of the release says its licence.
    for copy in first second; do
        mkdir "$work/$copy"
        tar -xJf "$tarball" -C "$work/$copy"
        [ "$copy" = second ] || reuse --root "$work/$copy/$name" lint >"$work/reuse" 2>&1 ||
            fail "reuse: $(cat "$work/reuse")"
        (cd "$work/$copy/$name" && env -u SOURCE_DATE_EPOCH cmake --preset release >/dev/null &&
            cmake --build --preset release >/dev/null)
        package "$work/$copy/$name/build/release" "$work/$copy" >/dev/null
    done
    unpacked=$work/first/$name
    grep -q "^project(Quorvel VERSION ${name#quorvel-} " "$unpacked/CMakeLists.txt" ||
        fail "$name is not the version in its CMakeLists.txt"
    deb=$(ls "$work"/first/quorvel_*.deb)
    cmp "$deb" "$work"/second/quorvel_*.deb || fail "two packages of the same tarball differ"
    check_lintian "$deb"

    # Every file has the time of midnight UTC of the release day in the tarball's CMakeLists.txt;
    # SOURCE_DATE_EPOCH wins over it, and one that is no number, or later than a package's files
    # can be, stops the configuration.
    day=$(sed -n 's/^set(QUORVEL_RELEASE_DATE \([0-9-]*\))$/\1/p' "$unpacked/CMakeLists.txt")
    check_file_times "$deb" "$(date -u -d "$day" +%s)"
    (cd "$unpacked" && SOURCE_DATE_EPOCH=1234567890 cmake --preset release >/dev/null)
    mkdir "$work/epoch"
    check_file_times "$(package "$unpacked/build/release" "$work/epoch")" 1234567890
    for wrong in 12ab 8589934592; do
        (cd "$unpacked" && SOURCE_DATE_EPOCH=$wrong cmake --preset release) >"$work/configure" 2>&1 &&
            fail "SOURCE_DATE_EPOCH=$wrong was taken"
        grep -q "SOURCE_DATE_EPOCH is \"$wrong\"" "$work/configure" ||
            fail "SOURCE_DATE_EPOCH=$wrong was refused without saying why: $(cat "$work/configure")"
    done
    # A release day that is no day of the calendar stops the configuration too.
    for wrong in 2026-13-45 2026-02-30 2023-02-29; do
        sed -i "s/^set(QUORVEL_RELEASE_DATE .*)$/set(QUORVEL_RELEASE_DATE $wrong)/" "$unpacked/CMakeLists.txt"
        (cd "$unpacked" && env -u SOURCE_DATE_EPOCH cmake --preset release) >"$work/configure" 2>&1 &&
            fail "the release day $wrong was taken"
        grep -q "The release day \"$wrong\" is no day" "$work/configure" ||
            fail "the release day $wrong was refused without saying why: $(cat "$work/configure")"
    done
    ;;
*)
    fail "unknown check $what"
    ;;
esac
echo "ok: $what"
