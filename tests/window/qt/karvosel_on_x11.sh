#!/usr/bin/env bash
# The real program on a private X server: it asks to stay on top, and its copy button puts the
# line on the X clipboard.
set -euo pipefail
. "$(dirname "$0")/../../xvfb.sh"
expected='Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0]'

open_karvosel "$1"
state=$(xprop -id "$window" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_ABOVE* ]] || fail "the window does not ask to stay on top: $state"

click_copy
wait_until clipboard_is "$expected" ||
    fail "clipboard holds [$(xclip -o -selection clipboard 2>&1)], expected [$expected]"
echo "PASS: $state; copied [$expected]"
