# Sourced by the tests that run Windows programs: a private Xvfb display with a window manager
# (Wine needs one to stack and close windows promptly) and a fresh Wine prefix booted on that
# display. Everything ends with the test.
. "$(dirname "${BASH_SOURCE[0]}")/../../xvfb.sh"

export WINEPREFIX="$work/wineprefix" WINEARCH=win64 WINEDEBUG=-all HOME="$work/home"
# No Mono or Gecko installer, no menu entries or file associations written into $HOME, and no
# debugger that would wait for a person when a program crashes.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
mkdir -p "$HOME"
# Wine's processes go first, while their display still exists.
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT

start_openbox
# Wine itself now and then fails to boot a fresh prefix ("could not load kernel32.dll", seen once
# in about a hundred boots): the test gives up only when a second fresh prefix fails too.
boot_prefix() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot --init >>"$work/wineboot.log" 2>&1
}
boot_prefix || boot_prefix || fail "wineboot failed twice: $(cat "$work/wineboot.log")"
# The desktop's DPI, when KARVOSEL_DPI asks for another than 96.
if [ -n "${KARVOSEL_DPI:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$KARVOSEL_DPI" /f \
        >"$work/reg.log" 2>&1 || fail "LogPixels not set: $(cat "$work/reg.log")"
fi
