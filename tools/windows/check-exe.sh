#!/usr/bin/env bash
# Reads the built program's bytes as Explorer would: a GUI program (no
# console window), the program icon as its only icon group, and a version
# block saying 1.00 with the fixed version 1.0.0.0.
# Usage: check-exe.sh PROGRAM.exe ICON.ico
set -euo pipefail
exe=$1 icon=$2
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
check FileVersion 1.00 "$(value FileVersion)"
check ProductVersion 1.00 "$(value ProductVersion)"
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
check "fixed file version" 1.0.0.0 "$(dotted "${fixed:8:16}")"
check "fixed product version" 1.0.0.0 "$(dotted "${fixed:24:16}")"
exit $status
