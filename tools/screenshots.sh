#!/usr/bin/env bash
# Makes the pictures in docs/: the main window in the blue and the white
# scheme, and the About window, each cropped to the window with its title
# bar. Runs the program on a private X server with openbox and drives the
# menus from the keyboard, as a user would.
# Usage: tools/screenshots.sh [PROGRAM]   (default: builds build/morvane2-items)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/private-display.sh
tools/install-deps.sh

if [ $# -ge 1 ]; then
    program=$(realpath "$1")
else
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build --target morvane2-items
    program=$PWD/build/morvane2-items
fi
mkdir -p docs

unset QT_QPA_PLATFORM
start_private_display

"$program" &
display_program $!
main=$(find_window 30 "^$MORVANE2_WINDOW_TITLE\$" || true)
[ -n "$main" ] || { echo "the main window did not appear within 30 s" >&2; exit 1; }

# Saves the window and its frame once it has stopped changing.
capture() {
    local window=$1 out=$2 left right top bottom x y w h
    settled "$window"
    IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')
    # xwininfo, not xdotool: the latter counts the frame into the position.
    read -r x y w h < <(xwininfo -id "$window" | awk -F: '
        /Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
        /Width/ {w=$2} /Height/ {h=$2} END {print x, y, w, h}')
    x=$((x - left)) y=$((y - top)) w=$((w + left + right)) h=$((h + top + bottom))
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
    echo "$out: ${w}x${h}"
}

# Blue scheme (the default), paged to the middle of the catalogue.
keys_changing "$main" ctrl+Home $(printf 'Next %.0s' $(seq 20))
capture "$main" docs/main-window.png

# 字体 menu: the last entry, reached by wrapping up from the first.
keys_changing "$main" alt+f Up Return
capture "$main" docs/main-window-white.png

# 关于 sits right of the 查找 menu in the menu bar.
xdotool windowactivate --sync "$main" key alt+s Right Return
about=$(find_window 10 '^关于 ' || true)
[ -n "$about" ] || { echo "the About window did not appear within 10 s" >&2; exit 1; }
capture "$about" docs/about.png

wmctrl -i -c "$main"
