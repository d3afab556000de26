#!/usr/bin/env bash
# Builds the Windows program, its tests, the portable zip and the installer
# into build-win/, cross-compiled on Debian: installs what is missing, builds
# Qt for Windows once per machine (tools/windows/build-qt.sh) and makes Wine's
# prefix for the tests. Warnings fail the build: the Windows-only code paths
# are compiled nowhere else.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/windows/env.sh
tools/windows/install-deps.sh
tools/windows/build-qt.sh
tools/windows/wine-prefix.sh

# Qt's own toolchain file finds Qt and the host tools, then loads ours.
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
    -DCMAKE_TOOLCHAIN_FILE="$MORVANE2_QT_WIN/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$MORVANE2_TOOLCHAIN" \
    -DMORVANE2_CACHE="$MORVANE2_CACHE" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-win
# Both packages: CPACK_GENERATOR names ZIP and NSIS.
(cd build-win && cpack)
echo "Windows build: build-win/morvane2-items.exe, $(cd build-win && ls morvane2-items-*-win64.{zip,exe})"
