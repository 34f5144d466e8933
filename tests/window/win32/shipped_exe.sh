#!/usr/bin/env bash
# shipped_exe.sh EXE BUILD-DIR VERSION: the program imports only DLLs that Windows 10 and 11
# ship, so that it runs as a single file, and `cpack -G ZIP` ships it alone in
# karvosel-VERSION-win64.zip.
set -euo pipefail
. "$(dirname "$0")/../../scratch.sh"
shipped=" advapi32 comctl32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32 user32 windowscodecs "
imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || fail "no imports found in $1"
for dll in $imports; do
    [[ $shipped == *" ${dll%.dll} "* ]] || fail "imports $dll, which Windows does not ship"
done

cpack -G ZIP --config "$2/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || fail "cpack: $(cat "$work/cpack.log")"
content=$(cd "$work" && cmake -E tar tf "karvosel-$3-win64.zip" 2>&1) || fail "no zip: $(ls "$work")"
[ "$content" = karvosel.exe ] || fail "the zip holds [$content]"
echo "PASS: imports" $imports "; the zip holds karvosel.exe"
