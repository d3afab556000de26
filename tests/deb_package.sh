#!/usr/bin/env bash
# Builds the .deb, checks what apt will read from it, unpacks it into a
# scratch root and starts the unpacked program on a private X server, the
# way a desktop would: its main window must appear, and closing that window
# through the window manager must end the program with status 0.
# Usage: deb_package.sh BUILD_DIR SCRATCH_DIR VERSION
set -euo pipefail
source "$(dirname "$0")/../tools/private-display.sh"
build=$1 scratch=$2 version=$3

rm -rf "$scratch"
mkdir -p "$scratch"
"${CPACK:-cpack}" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"
    exit 1
}
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, got: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = morvane2-items ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), the project is $version"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
# Depends is computed from the linked libraries, so Qt Widgets must be named.
grep -qw 'libqt6widgets6' <<<"$(field Depends)" || fail "Depends lacks libqt6widgets6: $(field Depends)"
grep -qw 'fonts-noto-cjk' <<<"$(field Recommends)" || fail "Recommends lacks fonts-noto-cjk: $(field Recommends)"
grep -q '@example.com>$' <<<"$(field Maintainer)" || fail "Maintainer: $(field Maintainer)"
[ "$(field Description | wc -l)" -ge 2 ] || fail "Description has no long text"

# Everything lives under /usr, where menus and software centres look.
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/morvane2-items ./usr/share/applications/morvane2-items.desktop; do
    grep -qx "$path" <<<"$contents" || fail "package lacks $path"
done
grep -q '^\./usr/share/metainfo/.*\.metainfo\.xml$' <<<"$contents" || fail "package lacks metainfo"
grep -q '^\./usr/share/icons/hicolor/.*/apps/morvane2-items\.png$' <<<"$contents" || fail "package lacks icons"
outside=$(grep -v '^\./usr/' <<<"$contents" | grep -vx './' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

[ "$failures" -eq 0 ] || { echo "$failures problem(s) in the package's metadata"; exit 1; }
echo "metadata: Depends: $(field Depends); Recommends: $(field Recommends)"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/morvane2-items
[ -x "$program" ] || { echo "FAIL: unpacked program missing"; exit 1; }

# A private display, window manager and settings: nothing from the caller's
# session leaks in, and nothing is left behind.
unset QT_QPA_PLATFORM
start_private_display "$scratch"

"$program" >"$scratch/program.log" 2>&1 &
app=$!
display_program "$app"
window=$(find_window 30 "^$MORVANE2_WINDOW_TITLE\$" "$app" || true)
if [ -z "$window" ]; then
    echo "FAIL: no main window within 30 s, or the program ended first"
    cat "$scratch/program.log"
    exit 1
fi
echo "main window $window: $(xdotool getwindowname "$window")"

# Closing through the window manager sends WM_DELETE_WINDOW, as a click on
# the title bar's close button does.
wmctrl -i -c "$window"
if ! wait_until 10 "the program to end after its main window was closed" gone "$app"; then
    cat "$scratch/program.log"
    exit 1
fi
status=0
wait "$app" || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status after closing the main window"
    cat "$scratch/program.log"
    exit 1
fi
echo "installed program showed its main window and exited with status 0 when it was closed"
