#!/usr/bin/env bash
# Runs a command on a private X server with a window manager, which frames
# windows and honours their placement as a desktop does; the offscreen
# platform has no frames at all.
#
#   with_window_manager.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "$0")/../tools/private-display.sh"

start_private_display

QT_QPA_PLATFORM=xcb "$@"
