#!/usr/bin/env bash
# needs.sh TOOL... -- COMMAND...: runs COMMAND when every TOOL is installed; otherwise names the
# missing tools and exits with 77, which ctest counts as a skipped test.
missing=()
while [ "$1" != -- ]; do
    command -v "$1" >/dev/null || missing+=("$1")
    shift
done
shift
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: not installed: ${missing[*]}"
    exit 77
fi
exec "$@"
