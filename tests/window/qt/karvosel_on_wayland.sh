#!/usr/bin/env bash
# The real program on a headless wlroots compositor with no clipboard keeper of its own: the copy
# button, reached by keyboard, puts the line on the clipboard; wl-copy keeps it after the window
# closes until another program copies; without wl-copy the window closes without waiting for one.
# Argument: karvosel.
set -euo pipefail
. "$(dirname "$0")/../../scratch.sh"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"
mkdir "$work/bare"
# A copy the session's user may run wherever the build folder is.
karvosel=$work/karvosel
install -m 755 "$1" "$karvosel"
# sway refuses root: there the session runs as nobody.
run_as=(env)
if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$work"
    chown nobody: "$HOME" "$XDG_RUNTIME_DIR"
    run_as=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups -- env)
fi
# Bounded, since a client of a stuck compositor or clipboard owner would wait for ever.
as_user() { timeout 20 "${run_as[@]}" "$@"; }
# start NAME [VAR=VALUE...] COMMAND...: as_user in the background, logging to $work/NAME.log.
start() { "${run_as[@]}" "${@:2}" >"$work/$1.log" 2>&1 & pids+=($!); }

# No bar, no key bindings, no X server: nothing but the compositor.
echo 'xwayland disable' >"$work/sway.conf"
start sway WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway --config "$work/sway.conf"
sway_up() {
    SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock") &&
        WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]")") &&
        export SWAYSOCK WAYLAND_DISPLAY && as_user swaymsg -t get_outputs | grep -q HEADLESS
}
wait_until sway_up || fail "sway did not start: $(cat "$work/sway.log")"
# A headless seat has no keyboard, and Qt binds one only if the seat has it when Qt starts: a
# wtype that idles for longer than the test lends the seat its virtual keyboard.
start wtype wtype -s 600000
keyboard() { as_user swaymsg -t get_inputs | grep -q '"type": "keyboard"'; }
wait_until keyboard || fail "wtype gave sway no keyboard: $(cat "$work/wtype.log")"

logs() { tail -n 20 "$work/sway.log" "$work/karvosel.log"; }
focused() {
    as_user swaymsg '[con_id=__focused__ app_id="^org.karvosel.Karvosel$" title="^Karvosel$"] nop'
}
# open_karvosel [VAR=VALUE...]: starts it and waits for its window to take the keyboard.
open_karvosel() {
    start karvosel QT_QPA_PLATFORM=wayland "$@" "$karvosel"
    karvosel_pid=$!
    wait_until focused >/dev/null || fail "no focused Karvosel window: $(logs)"
}
holds() { as_user wl-paste --no-newline 2>&1; }
clipboard_is() { [ "$(holds)" = "$1" ]; }
expected='Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0]'
# copy: Tab from the path box to the copy button, Space, and the line on the clipboard.
copy() {
    as_user wtype -k Tab -k space
    wait_until clipboard_is "$expected" || fail "the copy gave [$(holds)]: $(logs)"
}
shown() { as_user swaymsg '[title="^Karvosel$"] nop' >/dev/null 2>&1; }
close_karvosel() {
    as_user swaymsg '[title="^Karvosel$"] kill' >/dev/null || fail "no window to close: $(logs)"
    wait_until karvosel_gone || fail "karvosel did not exit after sway closed its window" \
        "(window still shown: $(shown && echo yes || echo no)): $(logs)"
    wait "$karvosel_pid" || fail "karvosel exited with status $?: $(logs)"
}
# The wl-copy processes serving this test's compositor, none of another test's.
keepers() { ours "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" -x wl-copy; }
trap 'kill $(keepers) 2>/dev/null || true; cleanup' EXIT
# The keeper's parent has left, and not every init reaps orphans: a zombie counts as gone.
gone() { [[ ! $(ps -o stat= -p "$1") =~ ^[^Z] ]]; }

open_karvosel
copy
close_karvosel
wait_until clipboard_is "$expected" || fail "after closing, the clipboard holds [$(holds)]"
keeper=$(keepers)
[[ $keeper =~ ^[0-9]+$ ]] || fail "not one wl-copy serves the line: [$keeper]"
start wl-copy wl-copy --foreground something
wait_until clipboard_is something || fail "wl-copy did not take the clipboard: [$(holds)]"
wait_until gone "$keeper" || fail "the program's wl-copy goes on after another program copied"

# Without wl-copy, nothing keeps the line, and closing does not wait for a keeper.
open_karvosel PATH="$work/bare"
copy
close_karvosel
! clipboard_is "$expected" || fail "without wl-copy the line outlived the window: $(keepers)"
echo "PASS: the copy button by keyboard; the line outlived the window through wl-copy until"
echo "      another program copied; without wl-copy the window closed without waiting for one"
