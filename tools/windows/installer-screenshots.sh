#!/usr/bin/env bash
# Pictures of the installer as a player on a Chinese Windows sees it, for
# docs/: its welcome page (docs/installer-welcome.png) and its finish page
# (docs/installer-finish.png). Runs the installer under Wine with
# LANG=zh_CN.UTF-8 in a Wine prefix of its own (removed afterwards) on a
# private X server, goes through its pages with Enter as a player would,
# and on the finish page leaves "运行 …" ticked: the program's main window
# must then appear. Not part of CI: run it after changing the installer.
# Usage: tools/windows/installer-screenshots.sh [INSTALLER.exe]
#   (default: build-win/morvane2-items-*-win64.exe, made by tools/windows/build.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/windows/env.sh
source tools/private-display.sh
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ $# -ge 1 ]; then
    installer=$(realpath "$1")
else
    installer=$(ls build-win/morvane2-items-*-win64.exe 2>/dev/null | head -n 1 || true)
    [ -n "$installer" ] || fail "no installer in build-win/: run tools/windows/build.sh first"
    installer=$(realpath "$installer")
fi
docs=$PWD/docs

# Wine takes the Windows language from the Unix locale, which must exist.
ensure_locales zh_CN.UTF-8
unset LC_ALL LANGUAGE LC_CTYPE LC_MESSAGES
export LANG=zh_CN.UTF-8

start_private_display
# A prefix of its own: a fresh "Chinese Windows", and the tests' prefix keeps
# neither this installation nor the language.
export WINEPREFIX=$scratch/wine
wine_log=$scratch/wine.log
# At exit Wine's processes of this prefix, all this script's, end before
# the display goes; on failure Wine's output is shown.
wine_done() {
    timeout 30 wineserver --wait || wineserver -k
    if [ "$display_status" -ne 0 ]; then
        echo "--- last 30 lines of Wine's output:" >&2
        tail -n 30 "$wine_log" >&2
    fi
}
display_on_exit wine_done
echo "Making a Wine prefix with LANG=$LANG"
wineboot --init >>"$wine_log" 2>&1
timeout 300 wineserver --wait || fail "Wine still setting up its prefix after 300 s"

wine "$installer" >>"$wine_log" 2>&1 &
display_program $!
window=$(find_window 60 'Morvane2物品一览表' || true)
[ -n "$window" ] || fail "no installer window within 60 s"
echo "installer window $window: '$(xdotool getwindowname "$window")'"

# shot WINDOW FILE: the window with its frame, once painted and still.
shot() {
    wait_until 30 "window $1 to be painted" painted "$1" || fail "window $1 stayed blank"
    settled "$1" 30 || fail "window $1 kept changing"
    import -silent -frame -window "$1" "$2"
    echo "$2: $(identify -format '%wx%h' "$2")"
}
# The welcome and finish pages share the picture on their left; no other
# page shows it. (A part well inside it: NSIS sizes it by the dialog font.)
picture_sum() { import -silent -window "$1" -crop 120x240+20+20 rgb:- 2>/dev/null | md5sum; }
shows_picture() { [ "$(picture_sum "$1")" = "$welcome_picture" ]; }

shot "$window" "$docs/installer-welcome.png"
welcome_picture=$(picture_sum "$window")

# 下一步 on the welcome page, 我接受 on the licence, 下一步 on the folder,
# 安装 on the Start-menu page: each is the page's default button.
for page in welcome licence folder start-menu; do
    keys_changing "$window" Return || fail "Enter changed nothing on the $page page"
done
folder="$WINEPREFIX/drive_c/Program Files/Morvane2物品一览表"
wait_until 120 "the installation to finish" test -f "$folder/Uninstall.exe" || fail "not installed"
wait_until 60 "the finish page" shows_picture "$window" || fail "no finish page after installing"
shot "$window" "$docs/installer-finish.png"

# 完成 with "运行 …" ticked, as it is by default, starts the program.
xdotool windowactivate --sync "$window" key Return
main=$(find_window 90 "^$MORVANE2_WINDOW_TITLE\$" || true)
[ -n "$main" ] || fail "the finish page did not start the program"
echo "the finish page started the program: window $main"
wmctrl -i -c "$main"
# The program is the last process in this prefix.
timeout 30 wineserver --wait || fail "the program did not end within 30 s of closing its window"
echo PASS
