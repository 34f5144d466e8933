#!/usr/bin/env bash
# imports_only_windows_dlls.sh EXE: the program imports only DLLs that Windows 10 and 11 ship,
# so that it runs as a single file.
set -euo pipefail
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null 2>&1 || { echo "SKIP: $objdump is not installed"; exit 77; }
shipped=" advapi32 comctl32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32 user32 windowscodecs "
imports=$("$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || { echo "FAIL: no imports found in $1"; exit 1; }
for dll in $imports; do
    [[ $shipped == *" ${dll%.dll} "* ]] || { echo "FAIL: imports $dll, which Windows does not ship"; exit 1; }
done
echo "PASS: imports" $imports
