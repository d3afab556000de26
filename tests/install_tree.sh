#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that what a desktop
# needs to list and start the program is there and agrees with itself.
# Usage: install_tree.sh BUILD_DIR PREFIX SOURCE_DIR VERSION
set -euo pipefail
build=$1 prefix=$2 source=$3 version=$4

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$prefix"
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/morvane2-items" ] || fail "no executable bin/morvane2-items"

desktop=$prefix/share/applications/morvane2-items.desktop
[ -f "$desktop" ] || { echo "FAIL: no share/applications/morvane2-items.desktop"; exit 1; }
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = morvane2-items ] || fail "Exec= is '$(key Exec)'"
[ -x "$prefix/bin/$(key Exec)" ] || fail "Exec= names no installed program"
[ "$(key 'Name\[zh_CN\]')" = "Morvane2物品一览表" ] || fail "Name[zh_CN]= is '$(key 'Name\[zh_CN\]')'"
[ -n "$(key Name)" ] || fail "no untranslated Name="
icon=$(key Icon)

# One installed icon per source size, and each picture really has that size:
# icon themes trust the folder name.
sizes=0
for dir in "$source"/assets/icons/hicolor/*/; do
    size=$(basename "$dir")
    installed=$prefix/share/icons/hicolor/$size/apps/$icon.png
    sizes=$((sizes + 1))
    if [ ! -f "$installed" ]; then
        fail "no icon $size/apps/$icon.png"
        continue
    fi
    dims=$(file -b "$installed" | sed -n 's/^PNG image data, \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
    [ "$dims" = "$size" ] || fail "$size/apps/$icon.png is ${dims:-not a PNG}"
done
[ "$sizes" -gt 0 ] || fail "no icon sizes under assets/icons/hicolor"

metainfo=$(find "$prefix/share/metainfo" -name '*.metainfo.xml' 2>/dev/null)
if [ "$(printf '%s\n' "$metainfo" | grep -c .)" -ne 1 ]; then
    fail "expected one metainfo file, found: ${metainfo:-none}"
else
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file name does not match <id> '$id'"
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ "$launchable" = "$(basename "$desktop")" ] || fail "launchable is '$launchable'"
    # The newest release comes first; it must be the version being built.
    newest=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -n 1)
    [ "$newest" = "$version" ] || fail "newest release in metainfo is '$newest', the project is $version"
fi

[ -f "$prefix/share/doc/morvane2-items/LICENSE" ] || fail "no licence under share/doc"

if [ "$failures" -gt 0 ]; then
    echo "$failures problem(s) in the installed tree at $prefix"
    exit 1
fi
echo "installed tree complete: program, desktop entry, $sizes icon sizes, metainfo"
