# Sourced by the real-display tests: a private Xvfb server for this test alone, and the helpers
# they share.

. "$(dirname "${BASH_SOURCE[0]}")/scratch.sh"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_until test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# start_openbox: a window manager on the display, as every desktop has, with its stock key
# bindings and nothing read from or written to the home folder.
start_openbox() {
    XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache \
        spawn openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml
    manages() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_until manages || fail "openbox did not start: $(cat "$work/openbox.log")"
}

# window_named TITLE: the id of the visible window of that title, once there is one.
window_named() {
    local id
    shown() { id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ]; }
    wait_until shown "$1" || fail "no window \"$1\" appeared: $(cat "$work"/*.log)"
    echo "$id"
}

# open_karvosel COMMAND...: starts it and sets $window to its window's id.
open_karvosel() {
    spawn "$@"
    karvosel_pid=$!
    window=$(window_named Karvosel)
}

active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; }
stays_above() { [[ $(xprop -id "$window" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]]; }

# click_copy: clicks the copy button, which spans 8..161 by 184..225 logical pixels.
click_copy() { xdotool mousemove --window "$window" 80 204 click 1; }

clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
# holds [XCLIP-OPTION...]: what the clipboard holds, or why it cannot be read, for messages.
holds() { xclip -o -selection clipboard "$@" 2>&1; }
