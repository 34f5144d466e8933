#!/usr/bin/env bash
# shipped_exe.sh OBJDUMP EXE ARCHITECTURE LOOKUPS BUILD-DIR ZIP: the program runs as a single file on every
# Windows from 7 SP1 to 11: it imports only DLLs that they all ship, only functions of the list
# of those Windows 7 SP1 has for ARCHITECTURE, and none of the functions that LOOKUPS (the source
# that does) looks up at run time nor any DPI function of Windows 8.1 and later; its manifest
# declares what each of them reads, for ARCHITECTURE; and `cpack -G ZIP` ships it alone in ZIP.
set -euo pipefail
. "$(dirname "$0")/../../scratch.sh"
objdump=$1
shift
exe=$1 architecture=$2
shipped=" advapi32 comctl32 dwmapi gdi32 kernel32 msvcrt ole32 oleaut32 shell32 user32 windowscodecs "
table=$("$objdump" -p "$exe")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$table" | tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || fail "no imports found in $exe"
for dll in $imports; do
    [[ $shipped == *" ${dll%.dll} "* ]] || fail "imports $dll, which Windows does not ship"
done
# Every function the exe imports, as "dll function", against the list of those known to exist on
# Windows 7 SP1: a toolchain update that brings in a newer one fails here, not on Windows 7.
imported=$(awk '/DLL Name:/ { dll = tolower($3) } /^[[:space:]]*$/ { dll = "" }
                dll && NF == 3 && $2 ~ /^[0-9]+$/ { print dll, $3 }' <<<"$table" | LC_ALL=C sort)
[ -n "$imported" ] || fail "no imported functions found in $exe"
known=$(grep -v '^#' "$(dirname "$0")/windows7_imports_$architecture.txt")
unknown=$(LC_ALL=C comm -23 <(echo "$imported") <(echo "$known"))
[ -z "$unknown" ] || fail "imports functions not yet checked against Windows 7:" $unknown
looked_up=$(grep -oP 'Function\("\K\w+' "$3")
[ -n "$looked_up" ] || fail "no looked-up functions found in $3"
# What the program looks up, and every DPI function of Windows 10: they say "Dpi", where Windows
# 7's own say "DPI".
for function in $looked_up '\w*Dpi\w*'; do
    newer=$(grep -oE "^\s+[0-9a-f]+\s+[0-9]+\s+$function\$" <<<"$table") &&
        fail "imports $(echo $newer | awk '{ print $NF }'), which Windows 7 lacks"
done

# Windows 7 to 8.1 read dpiAware, Windows 10 from 1607 dpiAwareness, from 1703 its first value.
for declaration in "<dpiAware [^>]*>true</dpiAware>" \
    "<dpiAwareness [^>]*>PerMonitorV2, PerMonitor</dpiAwareness>" \
    "name=\"Karvosel.Karvosel\" [^>]*processorArchitecture=\"$architecture\"" \
    '35138b9a-5d96-4fbd-8e2d-a2440225f93a' '4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38' \
    '1f676c76-80e1-4239-95bb-83d0f6d0da78' '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'; do
    grep -aqE "$declaration" "$exe" || fail "the manifest lacks $declaration"
done
# UTF-8 as the ANSI code page would garble the names of a narrow (ANSI) file list dropped on it.
! grep -aq '<activeCodePage' "$exe" || fail "the manifest sets activeCodePage"

cpack -G ZIP --config "$4/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || fail "cpack: $(cat "$work/cpack.log")"
content=$(cd "$work" && cmake -E tar tf "$5" 2>&1) || fail "no $5: $(ls "$work")"
[ "$content" = karvosel.exe ] || fail "the zip holds [$content]"
echo "PASS: imports" $imports "and none of" $looked_up "; the manifest; $5 holds karvosel.exe"
