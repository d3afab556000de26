#!/usr/bin/env bash
# The installer as Windows runs it, here under Wine: a silent install under
# Program Files with a Start-menu shortcut and an entry in the installed
# programs, the installed program started, then a silent uninstall that
# leaves neither folder nor shortcut behind. Wine's output and the
# installed program's go to LOGS_DIR (default: a temporary folder), kept and
# their tail shown when a check fails.
# VERSION is the project's: the entry in the installed programs must show it.
# Usage: check-installer.sh INSTALLER.exe VERSION [LOGS_DIR]
set -euo pipefail
source "$(dirname "$0")/env.sh"
installer=$(realpath "$1") expected_version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "ok   $*"; }

if [ $# -ge 3 ]; then
    logs=$(realpath -m "$3") keep_logs=1
    rm -rf "$logs" && mkdir -p "$logs"
else
    logs=$(mktemp -d -t morvane2-installer.XXXXXX) keep_logs=0
fi
wine_log=$logs/wine.log
report() {
    local status=$?
    if [ $status -ne 0 ]; then
        echo "--- last 30 lines of Wine's output while installing and uninstalling ($wine_log):" >&2
        tail -n 30 "$wine_log" >&2 || true
        echo "--- all output kept in $logs" >&2
    elif [ "$keep_logs" = 0 ]; then
        rm -rf "$logs"
    fi
}
trap report EXIT
wine_logged() { env -u DISPLAY wine "$@" >>"$wine_log" 2>&1; }

check_package_size "$installer"

folder="$WINEPREFIX/drive_c/Program Files/Morvane2物品一览表"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane2物品一览表/物品一览表.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\morvane2-items'
# reg.exe answers in lines "    NAME    REG_SZ    VALUE".
reg_value() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }'
}

echo "wine $(basename "$installer") /S" >>"$wine_log"
wine_logged "$installer" /S || fail "the silent install exited with status $?"
[ -f "$folder/morvane2-items.exe" ] || fail "no morvane2-items.exe in $folder"
ok "installed under Program Files"
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
# The shortcut's target: the program in its folder, not a folder below.
grep -aq 'Program Files\\Morvane2[^\\]*\\morvane2-items\.exe' "$shortcut" ||
    fail "the shortcut does not start the program"
ok "Start-menu shortcut: ${shortcut#*/Programs/}"
version=$(reg_value DisplayVersion)
[ "$version" = "$expected_version" ] || fail "installed programs entry: version '$version', expected '$expected_version'"
icon=$(reg_value DisplayIcon)
[[ $icon == *'\morvane2-items.exe' ]] || fail "installed programs entry: icon '$icon'"
uninstall=$(reg_value UninstallString)
[[ $uninstall == *'\Uninstall.exe"' ]] || fail "installed programs entry: uninstaller '$uninstall'"
ok "installed programs entry: version $version, icon $icon, uninstaller $uninstall"
"$MORVANE2_ROOT/tools/windows/check-stripped.sh" "$folder"

env -u WINEPATH "$MORVANE2_ROOT/tools/windows/wine-gui.sh" --logs "$logs/program" "$folder/morvane2-items.exe" ||
    fail "the installed program failed its check"

# reg.exe prints the folder's Chinese name as '?', so the uninstaller is
# started by its Unix path. It copies itself away and returns at once: wait
# for its work.
echo "wine Uninstall.exe /S" >>"$wine_log"
wine_logged "$folder/Uninstall.exe" /S || fail "the silent uninstall exited with status $?"
uninstalled() { [ ! -e "$folder" ] && [ ! -e "$shortcut" ]; }
wait_until 60 "the uninstaller to remove the program folder and the shortcut" uninstalled || true
[ ! -e "$folder" ] || fail "program folder still there after uninstalling: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "Start-menu shortcut still there after uninstalling"
[ -z "$(reg_value DisplayVersion)" ] || fail "installed programs entry still there"
ok "uninstalled: folder, shortcut and entry gone"
timeout 60 wineserver --wait || true
echo PASS
