#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs a test program under Wine in
# the project's prefix, with Qt's and the MinGW runtime's DLL folders on
# Wine's PATH. Wine drops every QT_* variable and passes WINEQT_* in its
# place, so QT_* are handed over under that name; without a platform named,
# Qt runs offscreen, reading its fonts from FONTDIR.
# Usage: wine-run.sh CACHE DLLDIRS FONTDIR PROGRAM [ARGS...]
#   CACHE: tools/windows' cache folder; DLLDIRS: ':'-separated Unix folders
set -euo pipefail
export MORVANE2_CACHE=$1
source "$(dirname "$0")/env.sh"
dlldirs=$2 fontdir=$3
shift 3

winepath=""
IFS=: read -ra dirs <<< "$dlldirs"
for dir in "${dirs[@]}"; do winepath+="Z:$dir;"; done
export WINEPATH="$winepath${WINEPATH:-}"
for name in $(compgen -e); do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done
export WINEQT_QPA_PLATFORM=${WINEQT_QPA_PLATFORM:-offscreen}
export WINEQT_QPA_FONTDIR=${WINEQT_QPA_FONTDIR:-Z:$fontdir}
# QtTest without a console would write to the debugger only.
export WINEQT_FORCE_STDERR_LOGGING=1
# Offscreen needs no X server, and Wine should not look for one.
[ "$WINEQT_QPA_PLATFORM" = offscreen ] && unset DISPLAY WAYLAND_DISPLAY
exec wine "$@"
