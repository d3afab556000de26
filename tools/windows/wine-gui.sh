#!/usr/bin/env bash
# Starts a Windows build of the program under Wine on a private X server, with
# Qt's own "windows" platform, and checks what a user would see:
#   - a top-level window whose caption is exactly the main window's title;
#   - with --screenshot FILE, a picture of it (to look at: Chinese, no boxes);
#   - with --about-link URL, that choosing the About window's first link hands
#     exactly URL, once, through Wine to the desktop's xdg-open.
# Wine's and the program's output, and the X server's, go to --logs DIR
# (default: a temporary folder, removed when the check passes); when the
# check fails the folder is kept and the output's tail printed.
# Usage: wine-gui.sh [--logs DIR] [--screenshot FILE] [--about-link URL] PROGRAM.exe
# PROGRAM's folder must hold its DLLs unless WINEPATH names them.
set -euo pipefail
source "$(dirname "$0")/env.sh"
source "$(dirname "$0")/../private-display.sh"

# Form1's caption; the window search below matches nothing else.
title=$MORVANE2_WINDOW_TITLE
screenshot="" about_link="" logs="" display_up=0
while [ $# -gt 1 ]; do
    case $1 in
        --logs) logs=$(realpath -m "$2"); shift 2 ;;
        --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
        --about-link) about_link=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
program=$(realpath "$1")
# On failure the screen is kept too, with the titles of the windows on it:
# some failures show only there (Qt's "no platform plugin" message box).
fail() {
    echo "FAIL: $*" >&2
    if [ "$display_up" = 1 ]; then
        import -silent -window root "$logs/screen.png" 2>/dev/null &&
            echo "--- the screen then: $logs/screen.png; its windows:" >&2
        local id
        for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            echo "    '$(xdotool getwindowname "$id" 2>/dev/null)'" >&2
        done
    fi
    exit 1
}

# A wineserver left from a run on another display would keep its desktop
# there: wait until this prefix's server has gone.
timeout 60 wineserver --wait || fail "Wine of $WINEPREFIX is still busy after 60 s"

if [ -n "$logs" ]; then
    rm -rf "$logs"
    keep_logs=1
else
    logs=$(mktemp -d -t morvane2-wine-gui.XXXXXX)
    keep_logs=0
fi
output=$logs/program.log
# At exit, once the program has ended: Wine's own processes let go of the
# display, then on failure the output's tail is shown and its folder kept.
report() {
    timeout 30 wineserver --wait || echo "Wine of $WINEPREFIX still busy 30 s after the check" >&2
    if [ "$display_status" -ne 0 ]; then
        echo "--- last 30 lines of Wine's and the program's output ($output):" >&2
        tail -n 30 "$output" >&2 || true
        echo "--- all output kept in $logs" >&2
    elif [ "$keep_logs" = 0 ]; then
        rm -rf "$logs"
    fi
}
display_on_exit report
start_private_display "$logs"
display_up=1

# The desktop's browser launcher, recording one line per call.
mkdir "$scratch/bin"
cat > "$scratch/bin/xdg-open" <<'SH'
#!/bin/sh
{ printf '%s' "$#"; for a in "$@"; do printf ' %s' "$a"; done; echo; } >> "$MORVANE2_OPENED"
SH
chmod +x "$scratch/bin/xdg-open"
export PATH=$scratch/bin:$PATH MORVANE2_OPENED=$scratch/opened
unset WINEQT_QPA_PLATFORM WINEQT_QPA_FONTDIR
# Qt writes its messages (a plugin not found) to stderr, kept in the log,
# rather than to the debugger, where a GUI program writes them on Windows.
export WINEQT_FORCE_STDERR_LOGGING=1

cd "$(dirname "$program")"
wine "$program" >"$output" 2>&1 &
wine_pid=$!
display_program $wine_pid

# The first start in a fresh prefix sets up Wine's desktop: allow for it.
main=$(find_window 90 "^${title}\$" "$wine_pid" || true)
if [ -z "$main" ]; then
    gone "$wine_pid" || fail "no window captioned '$title' within 90 s"
    status=0
    wait "$wine_pid" || status=$?
    fail "the program ended with status $status without showing a window"
fi
caption=$(xdotool getwindowname "$main")
[ "$caption" = "$title" ] || fail "caption is '$caption', expected '$title'"
echo "window $main: '$caption'"

if [ -n "$screenshot" ]; then
    wait_until 30 "the main window to be painted" painted "$main" || fail "the main window stayed blank"
    settled "$main" 30 || fail "the main window kept changing"
    mkdir -p "$(dirname "$screenshot")"
    import -silent -frame -window "$main" "$screenshot"
    echo "screenshot: $screenshot"
fi

if [ -n "$about_link" ]; then
    # 关于 sits right of the 查找 menu in the menu bar.
    keys_changing "$main" alt+s || fail "the 查找 menu did not open"
    keys_changing "$main" Right || fail "Right did not move from the 查找 menu to 关于"
    xdotool key Return
    about=$(find_window 20 '^关于 ' || true)
    [ -n "$about" ] || fail "the About window did not appear within 20 s"
    # It opens with its list focused; Down chooses the first entry.
    xdotool windowactivate --sync "$about"
    settled "$about" 20 || fail "the About window kept changing"
    pressed=$(date +%s%N)
    xdotool key Down
    wait_until 20 "xdg-open to be called" test -s "$MORVANE2_OPENED" || fail "no address handed to the browser"
    # Nothing announces that no second hand-off follows. A duplicate would be
    # made while the same key is handled and travel the same way, so it
    # would arrive about as long after the first as the first took: wait
    # that long again, at least a second.
    took_ms=$(( ($(date +%s%N) - pressed) / 1000000 ))
    again_ms=$(( took_ms > 1000 ? took_ms : 1000 ))
    sleep "$((again_ms / 1000)).$(printf '%03d' $((again_ms % 1000)))"
    # Wine may add a '/' to an address without a path: the same URL.
    mapfile -t calls < "$MORVANE2_OPENED"
    [ ${#calls[@]} -eq 1 ] || fail "xdg-open called ${#calls[@]} times: ${calls[*]}"
    [ "${calls[0]%/}" = "1 ${about_link%/}" ] || fail "xdg-open got '${calls[0]}', expected '1 $about_link'"
    echo "xdg-open got, once (${took_ms} ms after the key): ${calls[0]#1 }"
    wmctrl -i -c "$about" || true
fi

# Closing the main window ends the program.
wmctrl -i -c "$main"
wait_until 30 "the program to end after its main window was closed" gone "$wine_pid" || fail "the program is still running"
status=0
wait "$wine_pid" || status=$?
[ $status -eq 0 ] || fail "the program exited with status $status"
echo "PASS"
