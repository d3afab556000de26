# Sourced by the scripts that show windows without a desktop session.
#
# start_private_display SCRATCH_DIR
#   starts a private X server and a window manager, which frames windows and
#   honours their placement as a desktop does, and exports DISPLAY. Both
#   processes go into the caller's `pids` array, for its cleanup to end.
start_private_display() {
    local scratch=$1
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
    [ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start"; cat "$scratch/xvfb.log"; return 1; }
    export DISPLAY=:$(head -n 1 "$scratch/display")

    openbox >"$scratch/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
    wmctrl -m >/dev/null 2>&1 || { echo "FAIL: openbox did not start"; cat "$scratch/openbox.log"; return 1; }
}
