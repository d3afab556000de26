#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the fonts need and
# this machine lacks, plus any packages named as arguments (tools/fuzz.sh and
# tools/windows/install-deps.sh ask for their own). Does nothing when
# everything is there.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-translations-l10n qt6-l10n-tools
    qt6-qpa-plugins libxkbcommon-x11-0 libxcb-cursor0
    fonts-noto-cjk
    # The Latin font of the test that starts without any Chinese font.
    fonts-dejavu-core
    # The benchmarks, which ./test builds.
    libbenchmark-dev
    # The catalogue's glossary check.
    python3
    # Packaging and its tests: the desktop validators, the .deb's dependency
    # scan. What tools/private-display.sh runs: a private X server with a
    # window manager, xdotool and wmctrl to find and close windows, and
    # ImageMagick's import to see whether a window has changed; plus xprop and
    # xwininfo (x11-utils) for tools/screenshots.sh.
    desktop-file-utils appstream dpkg-dev file
    xvfb openbox xdotool wmctrl imagemagick x11-utils
    "$@"
)
apt_install "${packages[@]}"
# The suite starts the program in an English and a Chinese locale too.
ensure_locales en_US.UTF-8 zh_CN.UTF-8
