#!/usr/bin/env bash
# Installs with apt-get what the Windows build, its tests under Wine and its
# packages need, on top of the Linux build's own (tools/install-deps.sh, which
# also brings the private X server and the tools that drive its windows).
set -euo pipefail
cd "$(dirname "$0")/../.."
tools/install-deps.sh \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    perl dpkg-dev \
    wine wine64 fonts-wine fonts-dejavu-core \
    nsis icoutils
