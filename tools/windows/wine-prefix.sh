#!/usr/bin/env bash
# Makes Wine's prefix in the cache folder once, without a display, so nothing
# asks a question; later runs reuse it.
set -euo pipefail
source "$(dirname "$0")/env.sh"
if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.morvane2-ready" ]; then
    exit 0
fi
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
env -u DISPLAY -u WAYLAND_DISPLAY wineboot --init
# wineboot returns before the prefix is written out; wait for this prefix's
# wineserver to finish.
timeout 300 wineserver --wait || { echo "FAIL: Wine still setting up $WINEPREFIX after 300 s" >&2; exit 1; }
touch "$WINEPREFIX/.morvane2-ready"
echo "Wine prefix ready: $WINEPREFIX"
