#!/usr/bin/env bash
# Builds the Windows program, its tests, the portable zip and the installer
# into build-win/, cross-compiled on Debian: installs what is missing, builds
# Qt for Windows once per machine (tools/windows/build-qt.sh) and makes Wine's
# prefix for the tests. Warnings fail the build: the Windows-only code paths
# are compiled nowhere else. A failing step is named (see step in env.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/windows/env.sh
step install tools/windows/install-deps.sh
step Qt tools/windows/build-qt.sh
step "Wine prefix" tools/windows/wine-prefix.sh
find_qt_win

# Qt's own toolchain file finds Qt and the host tools, then loads ours.
# CMake's own messages are kept in configure.log, shown when it fails.
configure() {
    mkdir -p build-win
    cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
        -DCMAKE_TOOLCHAIN_FILE="$MORVANE2_QT_WIN/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$MORVANE2_TOOLCHAIN" \
        -DMORVANE2_CACHE="$MORVANE2_CACHE" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
        >build-win/configure.log 2>&1 || { tail -n 40 build-win/configure.log >&2; return 1; }
}
step configure configure
step build cmake --build build-win
# Both packages: CPACK_GENERATOR names ZIP and NSIS (packaging/CMakeLists.txt).
# makensis's own messages go to a log of CPack's: shown when it fails.
package() {
    local nsis_log=build-win/_CPack_Packages/win64/NSIS/NSISOutput.log
    rm -f "$nsis_log"
    (cd build-win && cpack) || { [ ! -f "$nsis_log" ] || tail -n 15 "$nsis_log" >&2; return 1; }
}
step package package
echo "Windows build: build-win/morvane2-items.exe, $(cd build-win && ls morvane2-items-*-win64.{zip,exe})"
