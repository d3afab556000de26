#!/usr/bin/env bash
# Runs a command on a private X server with a window manager, which frames
# windows and honours their placement as a desktop does; the offscreen
# platform has no frames at all.
#
#   with_window_manager.sh COMMAND [ARGS...]
set -euo pipefail

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start"; cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n 1 "$scratch/display")

openbox >"$scratch/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || { echo "FAIL: openbox did not start"; cat "$scratch/openbox.log"; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
