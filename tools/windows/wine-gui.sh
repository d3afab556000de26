#!/usr/bin/env bash
# Starts a Windows build of the program under Wine on a private X server, with
# Qt's own "windows" platform, and checks what a user would see:
#   - a top-level window whose caption is exactly the main window's title;
#   - with --screenshot FILE, a picture of it (to look at: Chinese, no boxes);
#   - with --about-link, that choosing the About window's first link hands
#     exactly that address, once, through Wine to the desktop's xdg-open.
# Usage: wine-gui.sh [--screenshot FILE] [--about-link] PROGRAM.exe
# PROGRAM's folder must hold its DLLs unless WINEPATH names them.
set -euo pipefail
source "$(dirname "$0")/env.sh"
source "$(dirname "$0")/../private-display.sh"

# Form1's caption; the window search below matches nothing else.
title='Morvane2所有物品一览表 by Tessavar'
screenshot="" about_link=0
while [ $# -gt 1 ]; do
    case $1 in
        --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
        --about-link) about_link=1; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
program=$(realpath "$1")

scratch=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A wineserver left from a run on another display would keep its desktop
# there: wait until this prefix's server has gone.
timeout 60 wineserver --wait || fail "Wine of $WINEPREFIX is still busy after 60 s"

start_private_display "$scratch"

# The desktop's browser launcher, recording one line per call.
mkdir "$scratch/bin"
cat > "$scratch/bin/xdg-open" <<'SH'
#!/bin/sh
{ printf '%s' "$#"; for a in "$@"; do printf ' %s' "$a"; done; echo; } >> "$MORVANE2_OPENED"
SH
chmod +x "$scratch/bin/xdg-open"
export PATH=$scratch/bin:$PATH MORVANE2_OPENED=$scratch/opened
unset WINEQT_QPA_PLATFORM WINEQT_QPA_FONTDIR

cd "$(dirname "$program")"
wine "$program" >"$scratch/out" 2>&1 &
wine_pid=$!
pids+=($wine_pid)

# The first start in a fresh prefix sets up Wine's desktop: allow for it.
main=$(timeout 90 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n 1 || true)
[ -n "$main" ] || { cat "$scratch/out" >&2; fail "no window captioned '$title' within 90 s"; }
caption=$(xdotool getwindowname "$main")
[ "$caption" = "$title" ] || fail "caption is '$caption', expected '$title'"
echo "window $main: '$caption'"

if [ -n "$screenshot" ]; then
    sleep 2 # let the text area paint
    mkdir -p "$(dirname "$screenshot")"
    import -silent -frame -window "$main" "$screenshot"
    echo "screenshot: $screenshot"
fi

if [ "$about_link" = 1 ]; then
    # 关于 sits right of the 查找 menu; the About window opens with its list
    # focused, and Down chooses the first entry.
    xdotool windowactivate --sync "$main"
    for key in alt+s Right Return; do xdotool key "$key"; sleep 0.5; done
    about=$(timeout 20 xdotool search --sync --onlyvisible --name '^关于 ' | head -n 1 || true)
    [ -n "$about" ] || fail "the About window did not appear within 20 s"
    xdotool windowactivate --sync "$about"
    sleep 0.5
    xdotool key Down
    for _ in $(seq 200); do [ -s "$MORVANE2_OPENED" ] && break; sleep 0.1; done
    [ -s "$MORVANE2_OPENED" ] || fail "xdg-open was not called within 20 s"
    sleep 3 # a second hand-off would show up by now
    expected=$(sed -n 's/.*{"\(http[^"]*\)".*/\1/p' "$MORVANE2_ROOT/common/links.h" | head -n 1)
    [ -n "$expected" ] || fail "no address found in common/links.h"
    # Wine may add a '/' to an address without a path: the same URL.
    mapfile -t calls < "$MORVANE2_OPENED"
    [ ${#calls[@]} -eq 1 ] || fail "xdg-open called ${#calls[@]} times: ${calls[*]}"
    [ "${calls[0]%/}" = "1 ${expected%/}" ] || fail "xdg-open got '${calls[0]}', expected '1 $expected'"
    echo "xdg-open got, once: ${calls[0]#1 }"
    wmctrl -i -c "$about" || true
fi

# Closing the main window ends the program.
wmctrl -i -c "$main"
for _ in $(seq 300); do kill -0 "$wine_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$wine_pid" 2>/dev/null && fail "the program did not end within 30 s of closing its window"
wait "$wine_pid" || fail "the program exited with status $?"
timeout 60 wineserver --wait || true
echo "PASS"
