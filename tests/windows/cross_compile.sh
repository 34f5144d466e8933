#!/usr/bin/env bash
# cross_compile.sh SOURCE-ROOT KARVOSEL-RC: compiles the platform-free core and the form's shared
# layer with the Windows cross compiler, and compiles the resource file.
set -euo pipefail
root=$1 rc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for source in "$root"/compose/*.cpp "$root"/window/*.cpp; do
    x86_64-w64-mingw32-g++ -std=c++20 -Wall -Wextra -Wpedantic -Werror -I"$root" -c "$source" \
        -o "$work/$(basename "$source").o"
done
x86_64-w64-mingw32-windres "$rc" -O coff -o "$work/karvosel.res.o"
x86_64-w64-mingw32-objdump -h "$work/karvosel.res.o" | grep -q '\.rsrc' ||
    { echo "FAIL: the resource file produced no resources"; exit 1; }
echo "PASS: the shared sources and the resources compile for Windows"
