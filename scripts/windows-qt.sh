#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Qt for 64-bit Windows, built once per machine with MinGW-w64 from the source of Debian's own Qt:
# the version of the host tools it is built and used with (Debian's moc, rcc and uic).
#   scripts/windows-qt.sh          builds it where it is missing or its recipe changed
#   scripts/windows-qt.sh --path   prints where it lies, and fails where it is not built
# It lies in $QUORVEL_WINDOWS_QT, by default ~/.cache/quorvel/windows-qt, beside a stamp of the
# recipe it was built from (this script, the toolchain file, the versions of Debian's Qt and of
# MinGW-w64); a change of any of them builds it again.
#
# Static: Quorvel for Windows is then one program, with Qt, its platform plugin and the compiler's
# runtime in it, nothing to deploy beside it and nothing to look up as it starts; its tests link
# the same way. Only Core, Gui, Widgets and Test are built, with the windows and offscreen platform
# plugins and Qt's Windows styles; the tablet support is left out, since Debian's source has not
# its headers. The source comes through apt from the deb-src twin of apt's own sources, with lists
# of its own in a temporary folder: apt's configuration is not touched.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
qt=${QUORVEL_WINDOWS_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/windows-qt}
toolchain=$source_dir/cmake/mingw-w64.cmake

fail() {
    echo "windows-qt: $*" >&2
    exit 1
}

# Qt's configuration: the modules and plugins Quorvel and its tests use, linked statically with
# the compiler's runtime, with Qt's own copies of the libraries it brings. Relocatable: Qt finds
# its files from the program's place, and no path of the machine that built it is in a program.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON -DFEATURE_relocatable=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)
# The libraries of Qt's source that those parts of Qt hold: their licences go with the program.
bundled=(zlib libpng freetype harfbuzz-ng pcre2 double-conversion easing icc md4 md5 sha1 sha3
    rfc6234 blake2 tinycbor)
# Raised where what the script does with a build changes beyond the lines above.
recipe_version=1

# What the recipe is: a change of any of these makes another Qt.
recipe() {
    printf '%s\n' "recipe $recipe_version" "${options[@]}" "${bundled[@]}"
    sha256sum <"$toolchain" | cut -d' ' -f1
    dpkg-query -W -f='${Version}\n' qt6-base-dev g++-mingw-w64-x86-64-posix
}

if [ "${1:-}" = --path ]; then
    [ -e "$qt/.quorvel-recipe" ] && [ "$(cat "$qt/.quorvel-recipe")" = "$(recipe 2>/dev/null)" ] ||
        fail "Qt for Windows is not built in $qt: scripts/windows-qt.sh builds it."
    echo "$qt"
    exit 0
fi

source "$source_dir/scripts/packages.sh"
ensure_packages "${QUORVEL_WINDOWS_PACKAGES[@]}"

wanted=$(recipe)
if [ -e "$qt/.quorvel-recipe" ] && [ "$(cat "$qt/.quorvel-recipe")" = "$wanted" ]; then
    echo "windows-qt: Qt for Windows is built in $qt"
    exit 0
fi

# Built beside its place and moved there only when complete, so that a build cut short is never
# taken for one.
work=$qt.work
partial=$qt.partial
log=$qt.log
: >"$log"
rm -rf "$work" "$partial"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources"
trap 'rm -rf "$work"' EXIT

# The deb-src twins of apt's own sources, in both of apt's formats.
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list"
done >"$work/apt/sources/deb-src.list"
for list in /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] && sed 's/^Types:.*/Types: deb-src/' "$list" >"$work/apt/sources/$(basename "$list")"
done
apt_private=(-o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
    -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/apt/sources"
    -o Debug::NoLocking=true -o APT::Sandbox::User="$(id -un)")
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
start=$(date +%s)
echo "windows-qt: fetching the source of Debian's Qt $version"
apt-get "${apt_private[@]}" update -qq ||
    fail "apt could not read the source lists of its sources (is the mirror reachable?)."
(cd "$work" && apt-get "${apt_private[@]}" source -qq --download-only "qt6-base=$version") ||
    fail "apt could not fetch the source of qt6-base $version."
(cd "$work" && dpkg-source -x qt6-base_*.dsc src >>"$log" 2>&1)

echo "windows-qt: configuring Qt for Windows in $work/build"
cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$partial" \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work/src/=qtbase/ -ffile-prefix-map=$work/build/=qtbase/" \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$work/src/=qtbase/ -ffile-prefix-map=$work/build/=qtbase/" \
    "${options[@]}" \
    >>"$log" 2>&1 || { tail -n 30 "$log" >&2; fail "Qt's configuration failed; the log is $log."; }

echo "windows-qt: building Qt for Windows (about 20 minutes on two processors)"
cmake --build "$work/build" >>"$log" 2>&1 || { tail -n 30 "$log" >&2; fail "Qt's build failed; the log is $log."; }
cmake --install "$work/build" >>"$log"
# Qt's licences, and those of the libraries it brings, go with every program built with it.
mkdir -p "$partial/licenses/3rdparty"
cp "$work/src/LICENSES/"{LGPL-3.0-only,GPL-3.0-only,GPL-2.0-only,Qt-GPL-exception-1.0}.txt "$partial/licenses/"
for library in "${bundled[@]}"; do
    mkdir "$partial/licenses/3rdparty/$library"
    find "$work/src/src/3rdparty/$library" -maxdepth 2 -type f \
        \( -iname 'licen[cs]e*' -o -iname 'copying*' -o -name FTL.TXT -o -name qt_attribution.json \) \
        -exec cp -t "$partial/licenses/3rdparty/$library" {} +
done
echo "$wanted" >"$partial/.quorvel-recipe"
rm -rf "$qt"
mv "$partial" "$qt"
echo "windows-qt: Qt for Windows built in $qt in $(($(date +%s) - start)) s"
