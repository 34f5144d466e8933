#!/usr/bin/env bash
# Starts karvosel on a private Xvfb server, clicks its copy button as a person would, and checks
# the X clipboard and the window's stay-on-top state.
set -euo pipefail
program=$1
expected='Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0]'

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

"$program" 2>"$work/karvosel.log" &
pids+=($!)
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Karvosel$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the window did not appear"; cat "$work/karvosel.log"; exit 1; }

state=$(xprop -id "$window" _NET_WM_STATE)
echo "$state"
[[ $state == *_NET_WM_STATE_ABOVE* ]] || { echo "FAIL: the window does not ask to stay on top"; exit 1; }

# The copy button spans 8..161 by 184..225 logical pixels of the client area.
xdotool mousemove --window "$window" 80 204 click 1
copied=""
for _ in $(seq 50); do
    copied=$(xclip -o -selection clipboard 2>/dev/null) && [ "$copied" = "$expected" ] && break
    sleep 0.1
done
if [ "$copied" != "$expected" ]; then
    printf 'FAIL: clipboard holds [%s], expected [%s]\n' "$copied" "$expected"
    exit 1
fi
echo "PASS: copied [$copied]"
