#!/usr/bin/env bash
# karvosel_under_wine.sh EXE: the real program under Wine on an X display with a window manager,
# used as a person would: it stays above other windows, takes a file dragged from another program
# and copies the line to the X clipboard.
set -euo pipefail
. "$(dirname "$0")/wine_session.sh"

models="$work/a b"
mkdir -p "$models"
: >"$models/模型.model"
expected="Vandrelix.exe \"Z:${models//\//\\}\\模型.model\" -xi -xa -ws[400,600] -cc[0,11,0]"

open_karvosel wine "$1"
wait_until stays_above || fail "the window does not stay on top: $(xprop -id "$window" _NET_WM_STATE)"
# The window is where it stays once openbox has placed it and given it the focus.
wait_until active || fail "openbox did not activate the window: $(cat "$work/openbox.log")"
# at X Y: the screen position of the client point X Y.
origin=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left [XY]: *//p' | tr '\n' ' ')
at() { read -r left top <<<"$origin"; echo "$((left + $1)) $((top + $2))"; }

# A file dragged from another program onto the frame; the drag is tried again if the drop
# arrived before the target answered the drag source.
spawn wish "$(dirname "$0")/drag_files.tcl" "$models/模型.model" "$work/second.model"
source_window=$(window_named "drag source")
drag_onto_frame() {
    local x y
    read -r x y <<<"$(at 84 40)"
    xdotool mousemove --window "$source_window" 100 50 mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((600 + (x - 600) * step / 8)) $((150 + (y - 150) * step / 8))
        sleep 0.05
    done
    xdotool mousemove "$x" "$y" sleep 0.2 mouseup 1
}
copied_the_drop() { click_copy && clipboard_is "$expected"; }
for attempt in 1 2 3; do
    drag_onto_frame
    wait_until copied_the_drop && break
    [ "$attempt" -lt 3 ] || fail "clipboard holds [$(holds)], expected [$expected]"
done

echo "PASS: on top, a dragged file dropped, copied [$expected]"
