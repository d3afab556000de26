#!/usr/bin/env bash
# Starts the program on a private X server in an English, a plain and a
# Chinese locale, opens its 字体 menu and its About window as a player would,
# and reads which families the toolkit's font matcher loads. Whatever the
# locale, the Han characters must come from a Simplified Chinese face: no
# Japanese, Korean, Traditional Chinese or Hong Kong member of a CJK family.
# Usage: han_faces.sh PROGRAM
set -euo pipefail
source "$(dirname "$0")/../tools/private-display.sh"
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
# What the program printed so far, then the failure.
fail_with_log() { cat "$log" >&2; fail "$@"; }

# A missing locale falls back to C silently: the run would pass without
# testing the desktop languages it names.
missing=$(missing_locales en_US.UTF-8 zh_CN.UTF-8 | paste -sd ' ')
[ -z "$missing" ] || fail "locales missing: $missing (tools/install-deps.sh adds them)"

start_private_display
unset QT_QPA_PLATFORM LC_ALL LANGUAGE

# Titles are matched by their Latin ends: in the C locale the program cannot
# name its windows in Chinese to the window system's older title property,
# which the search reads too.
title_head=${MORVANE2_WINDOW_TITLE%%[^[:ascii:]]*} title_tail=${MORVANE2_WINDOW_TITLE##*[^[:ascii:]]}
for lang in C C.UTF-8 en_US.UTF-8 zh_CN.UTF-8; do
    log=$scratch/$lang.log
    LANG=$lang QT_LOGGING_RULES=qt.text.font.match=true "$program" >"$log" 2>&1 &
    pid=$!
    display_program $pid
    main=$(find_window 30 "^$title_head.*$title_tail\$" $pid) || fail_with_log "$lang: no main window"
    keys_changing "$main" alt+f || fail_with_log "$lang: the 字体 menu did not open"
    keys_changing "$main" Escape || fail_with_log "$lang: Escape did not close the 字体 menu"
    # 关于 sits right of the 查找 menu: open that menu, move right, choose.
    # On a busy machine a key can reach the window before the menu has
    # taken the keyboard and be lost; then the menus are closed and the
    # keys given once more.
    about=""
    for _ in 1 2 3; do
        keys_changing "$main" alt+s || fail_with_log "$lang: the 查找 menu did not open"
        xdotool key Right
        settled "$main" || true
        xdotool key Return
        about=$(find_window 10 '^[^M].* Morvane2' $pid) && break
        xdotool windowactivate --sync "$main" key Escape Escape
        settled "$main" || true
    done
    [ -n "$about" ] || fail_with_log "$lang: the About window did not open"
    settled "$about" || fail_with_log "$lang: the About window kept changing"
    kill "$pid"
    wait "$pid" 2>/dev/null || true

    families=$(grep -o "looking for best foundry for family '[^']*'" "$log" |
               sed "s/.*family '//; s/'\$//" | sort -u | paste -sd ',')
    echo "$lang: $families"
    others=$(tr ',' '\n' <<<"$families" | grep -E 'CJK' | grep -v -E ' SC$' || true)
    [ -z "$others" ] || fail "$lang: Han drawn with $(paste -sd ',' <<<"$others")"
    grep -q ' SC' <<<"$families" || fail "$lang: no Simplified Chinese face loaded"
done
echo PASS
