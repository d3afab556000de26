#!/usr/bin/env bash
# Every program and DLL under FOLDER is stripped: no symbol table, no debug
# sections. Usage: check-stripped.sh FOLDER
set -euo pipefail
status=0
while IFS= read -r -d '' file; do
    if x86_64-w64-mingw32-objdump -h "$file" | grep -q '\.debug_' ||
       ! x86_64-w64-mingw32-nm "$file" 2>&1 | grep -q 'no symbols'; then
        echo "FAIL not stripped: ${file#"$1"/}"
        status=1
    fi
done < <(find "$1" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
[ $status -eq 0 ] && echo "ok   stripped: every .exe and .dll under $(basename "$1")"
exit $status
