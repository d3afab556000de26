#!/usr/bin/env bash
# The portable zip as a player uses it: unpacked anywhere, the program started
# from there with no other folder to find DLLs in. Also checks its size, that
# the Qt plugins sit where Qt looks for them, and that nothing ships with
# symbols. Wine's and the program's output go to LOGS_DIR (default: a
# temporary folder), kept and their tail shown when the program fails.
# Usage: check-zip.sh PACKAGE.zip [LOGS_DIR]
set -euo pipefail
source "$(dirname "$0")/env.sh"
zip=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

check_package_size "$zip"

(cd "$scratch" && cmake -E tar xf "$zip")
dir=$(dirname "$(find "$scratch" -name morvane2-items.exe)")
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll \
              imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qico.dll; do
    [ -f "$dir/$plugin" ] || fail "$plugin missing"
done
"$MORVANE2_ROOT/tools/windows/check-stripped.sh" "$dir"

# Nothing but the program's own folder: no WINEPATH.
env -u WINEPATH "$MORVANE2_ROOT/tools/windows/wine-gui.sh" ${2:+--logs "$2"} "$dir/morvane2-items.exe"
