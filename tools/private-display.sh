# Sourced by every script that shows windows without a desktop session
# (tests/with_window_manager.sh, tests/deb_package.sh, tests/han_faces.sh,
# tools/screenshots.sh, tools/windows/wine-gui.sh,
# tools/windows/installer-screenshots.sh).
#
# It owns the caller's EXIT trap, which tears down in this order: the programs
# the caller showed (display_program PID), the caller's own last steps
# (display_on_exit COMMAND...), the window manager and the X server, and
# the scratch folder if it was made here. A caller sets no trap of its own.
#
# start_private_display [SCRATCH_DIR]
#   starts a private X server and a window manager, which frames windows and
#   honours their placement as a desktop does, and exports DISPLAY. Settings,
#   caches and the runtime folder are private too (XDG_*_HOME and
#   XDG_RUNTIME_DIR under the scratch folder), so nothing of the caller's
#   session leaks in or is left behind. SCRATCH_DIR keeps the logs; without
#   it a temporary folder is made, removed at exit. Either way $scratch
#   names it. It first checks that the X server, the window manager and the
#   commands the helpers below run are there, and names what is not.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

scratch=${scratch:-}
display_pids=() display_programs=() display_exit_steps=() display_own_scratch=0

# display_program PID: a program shown on the display, ended before it goes.
display_program() { display_programs+=("$1"); }

# display_on_exit COMMAND...: run at exit once the programs have ended and
# while the display is still there; $display_status then holds the
# script's exit status.
display_on_exit() { display_exit_steps+=("$(printf '%q ' "$@")"); }

end_processes() {
    local pid
    for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
    for pid in "$@"; do wait "$pid" 2>/dev/null || true; done
}

private_display_cleanup() {
    local status=$? step
    # The exit steps may look at how the script ended.
    display_status=$status
    end_processes "${display_programs[@]}"
    for step in "${display_exit_steps[@]}"; do eval "$step" || true; done
    # The window manager before the server it is a client of.
    local i
    for ((i = ${#display_pids[@]} - 1; i >= 0; i--)); do end_processes "${display_pids[i]}"; done
    [ "$display_own_scratch" = 1 ] && rm -rf "$scratch"
    return $status
}
trap private_display_cleanup EXIT

# check_display_tools: fails with one line naming those of the commands this
# file runs that are missing. Each is tried with an option that only prints
# its version: the shell says 127 (126) for a command it cannot find (run).
# Without this a helper failing inside a command substitution ends the
# caller with status 127 and no word.
check_display_tools() {
    local tool package command option status missing=""
    for tool in "xvfb Xvfb -version" "openbox openbox --version" "wmctrl wmctrl --version" \
                "xdotool xdotool version" "imagemagick import -version"; do
        read -r package command option <<<"$tool"
        status=0
        "$command" "$option" </dev/null >/dev/null 2>&1 || status=$?
        [ "$status" -ne 126 ] && [ "$status" -ne 127 ] || missing+="${missing:+, }$command ($package)"
    done
    [ -z "$missing" ] && return 0
    echo "FAIL: a private display needs $missing, not found or not runnable here: tools/install-deps.sh installs it" >&2
    return 1
}

# line_written FILE: true once FILE holds a whole line (for wait_until).
line_written() { [ "$(wc -l <"$1")" -ge 1 ]; }

start_private_display() {
    check_display_tools || return 1
    if [ $# -ge 1 ]; then
        scratch=$1
        mkdir -p "$scratch"
    else
        scratch=$(mktemp -d)
        display_own_scratch=1
    fi
    mkdir -p "$scratch/config" "$scratch/cache"
    mkdir -p -m 700 "$scratch/runtime"
    export XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
    unset WAYLAND_DISPLAY

    # Now and then, on a loaded machine, openbox cannot open a display that
    # Xvfb has just announced: one more start before giving up.
    local attempt
    for attempt in 1 2; do
        start_server_and_window_manager && return 0
        end_processes "${display_pids[@]}"
        display_pids=()
        [ $attempt -eq 2 ] || echo "the private display did not come up; starting it once more" >&2
    done
    return 1
}

start_server_and_window_manager() {
    rm -f "$scratch/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    display_pids+=($!)
    # The display's number, then the line's end: both come once it takes clients.
    wait_until 10 "Xvfb to start" line_written "$scratch/display" || { cat "$scratch/xvfb.log" >&2; return 1; }
    export DISPLAY=:$(head -n 1 "$scratch/display")

    openbox >"$scratch/openbox.log" 2>&1 &
    display_pids+=($!)
    wait_until 10 "openbox to start" wmctrl -m || { cat "$scratch/openbox.log" >&2; return 1; }
}

# find_window SECONDS TITLE_REGEX [PID]: prints the first visible window
# whose title matches, waiting up to SECONDS for one, or only until process
# PID has ended; prints nothing and fails if none came. (xdotool's own --sync
# gives up when a window it looks at closes meanwhile, as the installer's
# does when it starts the program.)
find_window() {
    local deadline=$((SECONDS + $1)) id
    while :; do
        id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        [ $SECONDS -lt $deadline ] || return 1
        [ -z "${3:-}" ] || ! gone "$3" || return 1
        sleep 0.1
    done
}

# window_sum WINDOW: a checksum of what the window shows now.
window_sum() { import -silent -window "$1" rgb:- 2>/dev/null | md5sum; }

# settled WINDOW [SECONDS]: waits until the window looks the same twice in a
# row, a fifth of a second apart (painting done, menus open or closed), for
# SECONDS at most (default 10).
settled() {
    local window=$1 limit=${2:-10} before now deadline
    deadline=$((SECONDS + limit))
    now=$(window_sum "$window")
    while :; do
        sleep 0.2
        before=$now
        now=$(window_sum "$window")
        [ "$now" = "$before" ] && return 0
        if [ $SECONDS -ge $deadline ]; then
            echo "FAIL: window $window still changing after $limit s" >&2
            return 1
        fi
    done
}

# changed WINDOW SUM: true once the window no longer shows what SUM was
# taken from (for wait_until, after a key).
changed() { [ "$(window_sum "$1")" != "$2" ]; }

# painted WINDOW: true once the window shows more than a handful of colours:
# text drawn, not a blank or a plain fill.
painted() { [ "$(import -silent -window "$1" -format %k info: 2>/dev/null || echo 0)" -gt 8 ]; }

# keys_changing WINDOW KEYS...: sends the keys to the window (activated
# first, as a user clicks into it), then waits until it no longer shows what
# it showed, settled, before them: a menu opened or closed, the text moved.
# Qt takes keys in order (an open menu gets those after the one that opened
# it), so a series goes at once.
keys_changing() {
    local window=$1 before
    shift
    settled "$window"
    before=$(window_sum "$window")
    xdotool windowactivate --sync "$window" key "$@"
    wait_until 10 "window $window to change after the keys $*" changed "$window" "$before"
}
