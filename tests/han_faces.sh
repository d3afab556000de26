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

start_private_display
unset QT_QPA_PLATFORM LC_ALL LANGUAGE

for lang in C C.UTF-8 en_US.UTF-8 zh_CN.UTF-8; do
    log=$scratch/$lang.log
    LANG=$lang QT_LOGGING_RULES=qt.text.font.match=true "$program" >"$log" 2>&1 &
    pid=$!
    display_program $pid
    # Titles are matched by their Latin letters: in the C locale the program
    # cannot name its windows in Chinese to the window system's older title
    # property, which the search reads too.
    main=$(find_window 30 '^Morvane2.* by Tessavar$' $pid) || { cat "$log" >&2; fail "$lang: no main window"; }
    keys_changing "$main" alt+f
    keys_changing "$main" Escape
    # 关于 sits right of the 查找 menu.
    xdotool windowactivate --sync "$main" key alt+s Right Return
    about=$(find_window 10 '^[^M].* Morvane2' $pid) || fail "$lang: the About window did not open"
    settled "$about"
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
