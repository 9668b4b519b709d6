#!/usr/bin/env bash
# End-to-end test on a Wayland desktop: weston (on its X11 backend, inside Xvfb) with a
# GlobalShortcuts portal in a process of its own on a session bus of the test's own. The app
# binds its shortcut there; the portal's Activated signal shows the panel, as `vorn show` does,
# which the screen shows.
# Usage: portal_e2e.sh PATH/TO/vorn PATH/TO/vorn_fake_portal
#        (E2E_SHOT_DIR=folder keeps the pictures as desktop-wayland-*.png)
set -u
VORN=${1:?usage: portal_e2e.sh PATH/TO/vorn PATH/TO/vorn_fake_portal}
PORTAL=${2:?usage: portal_e2e.sh PATH/TO/vorn PATH/TO/vorn_fake_portal}
for tool in weston dbus-daemon dbus-send compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

shot() { [ -n "${E2E_SHOT_DIR:-}" ] && cp "$1" "$E2E_SHOT_DIR/desktop-wayland-$2.png"; return 0; }
private_session_bus

"$PORTAL" >"$WORK/portal.log" 2>&1 &
PIDS+=($!)
wait_for 10 grep -q ready "$WORK/portal.log" || { echo "FAIL - the fake portal did not start"; cat "$WORK/portal.log"; exit 1; }
portal() { # method, arguments...
    local method=$1; shift
    dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
        "org.vorn.test.FakePortal.$method" "$@"
}
bound() { portal Calls | grep -q BindShortcuts; }

socket="vorn-e2e-$$"
# No on-screen keyboard: weston's input method would pop up over the panel's search field.
printf '[core]\nidle-time=0\n[input-method]\npath=/bin/true\n' > "$WORK/weston.ini"
weston --config="$WORK/weston.ini" --backend=x11-backend.so --socket="$socket" --width=1200 --height=760 --use-pixman \
    >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
wait_for 20 test -S "$XDG_RUNTIME_DIR/$socket" || { echo "FAIL - weston did not start"; cat "$WORK/weston.log"; exit 1; }
# weston names its output window only through WM_CLASS and _NET_WM_NAME, which xdotool's
# search does not match here; xwininfo lists it.
weston_window() { xwininfo -root -tree | awk '/\("weston-[0-9]+" "Weston Compositor"\)/ { print $1; exit }'; }
weston_window_up() { [ -n "$(weston_window)" ]; }
wait_for 20 weston_window_up || { echo "FAIL - no weston window"; exit 1; }
sleep 2 # the desktop shell draws its background and panel

WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$VORN" >"$WORK/app.log" 2>&1 &
check "the app binds its shortcut at the portal" wait_for 30 bound
wait_for 30 grep -q "Sync complete" "$WORK/app.log"
sleep 1
# Never `import -window ''`: without a window it waits for a click.
capture() { local id; id=$(weston_window); [ -n "$id" ] && import -window "$id" "$1"; }
# How many pixels of the compositor's picture changed since the given one.
changed_since() { capture "$WORK/now.png"; compare -metric AE -fuzz 8% "$1" "$WORK/now.png" null: 2>&1 | cut -d' ' -f1; }
# The panel is 750 by 600: far more than a tenth of that changes when it shows.
panel_on_screen() { [ "$(changed_since "$WORK/desktop.png")" -gt 45000 ]; }
panel_gone() { [ "$(changed_since "$WORK/desktop.png")" -lt 20000 ]; }
capture "$WORK/desktop.png"
shot "$WORK/desktop.png" before
check "nothing shows at start" [ "$(changed_since "$WORK/desktop.png")" -lt 20000 ]

check "the portal's Activated signal is sent" portal Activate string:xdg-token-1 >/dev/null
check "... and the panel shows" wait_for 15 panel_on_screen
# The rows come in just after the panel: keep the settled picture.
sleep 1 && capture "$WORK/shown.png" && shot "$WORK/shown.png" shortcut
check "the app received the press" grep -q "hotkey received" "$WORK/app.log"

# Escape in the search field, twice: clear, then hide.
xdotool windowactivate --sync "$(weston_window)" 2>/dev/null
xdotool key --window "$(weston_window)" Escape Escape
check "Escape hides the panel again" wait_for 15 panel_gone

check "vorn show answers" timeout 20 env WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$VORN" show
check "... and the panel shows" wait_for 15 panel_on_screen
sleep 1 && capture "$WORK/now.png" && shot "$WORK/now.png" vorn-show

if [ $failures -gt 0 ]; then
    echo "--- app log"; cat "$WORK/app.log"
    echo "--- weston log"; tail -n 20 "$WORK/weston.log"
    exit 1
fi
echo "all Wayland end-to-end checks passed"
