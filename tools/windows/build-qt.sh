#!/usr/bin/env bash
# Builds Qt's qtbase for 64-bit Windows from Debian's own source package of
# qt6-base, with Debian's MinGW-w64 compilers and the host's Qt tools (moc,
# rcc, uic), into the cache folder. Skipped when that folder is complete for
# the same source, compiler, flags and toolchain file: built once per machine.
set -euo pipefail
source "$(dirname "$0")/env.sh"

apt_install \
    qt6-base-dev qt6-base-dev-tools cmake ninja-build perl dpkg-dev \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64

# The host's Qt and the sources must be the same release: moc's output is
# only understood by its own version. This also names the cache folder.
find_qt_win
host_version=$MORVANE2_QT_SOURCE

# A small Qt: Core, Gui, Widgets, Test with the windows and offscreen
# platforms, everything third-party bundled, no ICU (the program decodes GBK
# through the code page instead). Debian's sources lack wintab.h, hence no
# tablet events; INPUT_opengl=no, as FEATURE_opengl=OFF alone still builds
# the dynamic OpenGL loader. Direct2D stays: without it the windows platform
# plugin of this release does not link.
flags=(
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_pkg_config=OFF
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)

# The toolchain file counts by its contents, not by the clone it sits in.
key=$(
    echo "qt6-base $host_version"
    dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-g++-posix --version | head -n 1
    printf '%s\n' "${flags[@]}"
    echo "toolchain file $(sha256sum < "$MORVANE2_TOOLCHAIN")"
)
stamp=$MORVANE2_QT_WIN/.morvane2-build-key
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
    echo "Qt for Windows: cached in $MORVANE2_QT_WIN"
    exit 0
fi

# apt-get source needs a deb-src entry: the one for each Debian or Ubuntu
# archive apt already uses, same addresses and suites. This changes the
# system's apt sources, so it says so. (apt-cache here and apt-get source
# below only read the lists and download into this user's folder: no root,
# no lock, so they do not go through apt_get.)
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
    entries=$(
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] || continue
            awk 'BEGIN { RS = ""; ORS = "\n\n" }
                 /(^|\n)Types:[^\n]*deb([ \t\n]|$)/ && /(^|\n)URIs:[^\n]*(debian|ubuntu)/ {
                     sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
        done
    )
    lines=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            sed -n -E 's/^deb( .*(debian|ubuntu).*)/deb-src\1/p' || true)
    [ -n "$entries$lines" ] || { echo "FAIL: no Debian or Ubuntu archive in apt's sources to take qt6-base's source from" >&2; exit 1; }
    add_sources() { # FILE TEXT
        [ -n "$2" ] || return 0
        echo "Adding deb-src entries to apt's sources, for qt6-base's source: writing $1"
        printf '%s\n' "$2" | sed 's/^/    /'
        printf '%s\n' "$2" | as_root tee "$1" >/dev/null
    }
    add_sources /etc/apt/sources.list.d/morvane2-src.sources "$entries"
    add_sources /etc/apt/sources.list.d/morvane2-src.list "$lines"
    apt_update
fi

work=$MORVANE2_CACHE/qt-build
rm -rf "$work" "$MORVANE2_QT_WIN"
mkdir -p "$work"
cd "$work"
apt-get source --download-only -qq "qt6-base=$host_version"
dpkg-source --no-check -x qt6-base_*.dsc src >/dev/null

start=$(date +%s)
cmake -S src -B build -G Ninja -DCMAKE_INSTALL_PREFIX="$MORVANE2_QT_WIN" \
    -DCMAKE_TOOLCHAIN_FILE="$MORVANE2_TOOLCHAIN" "${flags[@]}"
cmake --build build
cmake --install build
echo "Qt for Windows: built in $(( ($(date +%s) - start) / 60 )) min $(( ($(date +%s) - start) % 60 )) s"

printf '%s\n' "$key" > "$stamp"
cd /
rm -rf "$work"
