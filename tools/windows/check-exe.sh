#!/usr/bin/env bash
# Reads the built program's bytes as Explorer would: a GUI program (no
# console window), the program icon as its only icon group, and a version
# block for VERSION (the project's, MAJOR.MINOR.PATCH): the text MAJOR "."
# MINOR in two digits, then "." PATCH unless PATCH is 0 (1.0.0 reads "1.00",
# 1.2.3 "1.02.3"), and the fixed version MAJOR.MINOR.PATCH.0.
# Usage: check-exe.sh PROGRAM.exe ICON.ico VERSION
set -euo pipefail
exe=$1 icon=$2 version=$3
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || { echo "FAIL version '$version' is not MAJOR.MINOR.PATCH"; exit 1; }
major=$((10#${BASH_REMATCH[1]})) minor=$((10#${BASH_REMATCH[2]})) patch=$((10#${BASH_REMATCH[3]}))
version_text=$(printf '%d.%02d' "$major" "$minor")
[ "$patch" -eq 0 ] || version_text+=".$patch"
fixed_version=$major.$minor.$patch.0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
check() { # what expected actual
    if [ "$2" = "$3" ]; then echo "ok   $1: $3"; else echo "FAIL $1: '$3', expected '$2'"; status=1; fi
}

subsystem=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '$1 == "Subsystem" {print $2, $3, $4}')
check subsystem "00000002 (Windows GUI)" "$subsystem"

wrestool -x --type=14 -o "$scratch" "$exe"
groups=("$scratch"/*)
check "icon groups" 1 "${#groups[@]}"
check "icon images" "$(icotool -l "$icon")" "$(icotool -l "${groups[0]}")"
icotool -x -o "$scratch/built.png" "${groups[0]}"
icotool -x -o "$scratch/source.png" "$icon"
if cmp -s "$scratch/built.png" "$scratch/source.png"; then
    echo "ok   icon pixels: same as $(basename "$icon")"
else
    echo "FAIL icon pixels differ from $(basename "$icon")"; status=1
fi

wrestool -x --raw --type=16 "$exe" > "$scratch/version"
# String values are UTF-16; each name (after its binary header) is followed
# by its value.
value() {
    iconv -c -f UTF-16LE -t UTF-8 < "$scratch/version" | tr '\0' '\n' |
        awk -v name="$1" 'found && NF {print; exit} substr($0, length($0) - length(name) + 1) == name {found = 1}'
}
check FileVersion "$version_text" "$(value FileVersion)"
check ProductVersion "$version_text" "$(value ProductVersion)"
check ProductName "Morvane2 item catalogue" "$(value ProductName)"
check FileDescription "Morvane2 item catalogue viewer" "$(value FileDescription)"

# VS_FIXEDFILEINFO follows its signature 0xFEEF04BD: structure version, then
# the file and product versions as two little-endian (high, low) pairs.
hex=$(od -An -v -tx1 "$scratch/version" | tr -d ' \n')
fixed=${hex#*bd04effe}
[ "$fixed" != "$hex" ] || { echo "FAIL no fixed version info"; exit 1; }
word() { echo $((16#${1:2:2}${1:0:2})); } # 4 hex digits, little-endian
dotted() { # 16 hex digits: MS dword, LS dword
    echo "$(word "${1:4:4}").$(word "${1:0:4}").$(word "${1:12:4}").$(word "${1:8:4}")"
}
check "fixed file version" "$fixed_version" "$(dotted "${fixed:8:16}")"
check "fixed product version" "$fixed_version" "$(dotted "${fixed:24:16}")"
exit $status
