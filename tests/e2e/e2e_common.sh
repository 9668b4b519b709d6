# shellcheck shell=bash
# Shared set-up of the end-to-end tests, sourced by them (not run on its own): checks the
# tools, makes an isolated user on a free display with a window manager and a tray host, and
# gives the small helpers check, wait_for, panel_visible and panel_focused.
# The sourcing script sets VORN first; the app log is "$WORK/app.log" by convention.
for tool in Xvfb openbox trayer xdotool xclip xwininfo xdpyinfo xprop import convert python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d /tmp/vorn-e2e-XXXXXX)
PIDS=()
cleanup() {
    local app
    app=$(head -n1 "$XDG_RUNTIME_DIR/vorn/app.lock" 2>/dev/null)
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

failures=0
check() { # description, command...
    local what=$1; shift
    if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
wait_for() { # seconds, command...
    local until=$((SECONDS + $1)); shift
    while ! "$@" 2>/dev/null; do
        [ $SECONDS -ge $until ] && return 1
        sleep 0.1
    done
}

# An isolated user.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" XDG_STATE_HOME="$WORK/home/.local/state" XDG_RUNTIME_DIR="$WORK/runtime"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus" VORN_TRACE=1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# The texts the scripts look for are the English ones, whatever the machine's locale; a run in
# another language sets E2E_LANG (for example de_DE.UTF-8).
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG="${E2E_LANG:-C.UTF-8}"
mkdir -p "$XDG_CONFIG_HOME/vorn" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The welcome sheet would take the first keys; these runs are about the panel itself.
printf '[General]\nshowFeedbackOnStart=false\n' > "$XDG_CONFIG_HOME/vorn/vorn.ini"

# Xvfb takes a free display itself and writes its number once it is ready: a number picked
# here could be taken by another run starting at the same moment. Without -noreset the server
# resets when its last client leaves, and refuses the next one meanwhile.
exec {displayfd}>"$WORK/display"
Xvfb -displayfd "$displayfd" -noreset -screen 0 1280x800x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 & PIDS+=($!)
exec {displayfd}>&-
wait_for 20 test -s "$WORK/display" || { echo "FAIL - Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
DISPLAY=":$(head -n1 "$WORK/display")"
export DISPLAY
wait_for 10 xdpyinfo -display "$DISPLAY" >/dev/null || { echo "FAIL - Xvfb does not answer"; exit 1; }
openbox >"$WORK/openbox.log" 2>&1 & PIDS+=($!)
# E2E_TRAYER_ARGS gives the tray host a look of its own (a dark tint, say).
# shellcheck disable=SC2086
trayer --edge top --align right --widthtype pixel --width 120 --height 24 ${E2E_TRAYER_ARGS:-} \
    >"$WORK/trayer.log" 2>&1 & PIDS+=($!)
# The app looks for a tray when it starts (and again later): have both ready first.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; }
wait_for 20 wm_ready || { echo "FAIL - openbox did not start"; cat "$WORK/openbox.log"; exit 1; }
wait_for 20 xdotool search --classname '^panel$' >/dev/null \
    || { echo "FAIL - trayer did not start"; cat "$WORK/trayer.log"; exit 1; }

panel_visible() { xdotool search --onlyvisible --name '^VORN$' >/dev/null; }
# Escape a key at a time (a loaded machine drops keys sent while the view changes) until the
# form, the search and the panel are gone; for wait_for.
escape_panel() { panel_visible || return 0; xdotool key Escape; sleep 0.5; ! panel_visible; }
export -f panel_visible
tray_icon() { xwininfo -root -tree | awk '/\("vorn" "vorn"\)  22x22/ { print $1; exit }'; }
tray_icon_embedded() { [ -n "$(tray_icon)" ]; }
exited() { local state; state=$(ps -o stat= -p "$1") || return 0; [[ $state == Z* ]]; }
# Counts the pixels of a picture whose grey level is above (or below) a threshold 0..255.
pixels() { # file, "above"|"below", level
    convert "$1" -colorspace Gray -depth 8 txt:- \
        | awk -v mode="$2" -v level="$3" -F'[(),]' 'NR > 1 { g = $3 + 0; if ((mode == "above" && g > level) || (mode == "below" && g < level)) n++ } END { print n + 0 }'
}
# The picture of a window as the screen shows it (what lies under it included).
window_picture() { # window, file
    local geometry
    geometry=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
                                       /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%dx%d+%d+%d", w, h, x, y }')
    import -window root "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "$geometry" +repage "$2"
}
# Starts the app in the background and waits until its tray icon and its library are up.
start_app() {
    "$VORN" >"$WORK/app.log" 2>&1 &
    check "the app starts into the tray" wait_for 30 grep -q "tray icon ready" "$WORK/app.log"
    wait_for 30 grep -q "Sync complete" "$WORK/app.log"
}
# The shortcut shows the panel, and it takes the keyboard focus.
show_panel() {
    xdotool key super+shift+p
    wait_for 15 panel_visible && wait_for 15 panel_focused
}
panel_focused() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "VORN" ]; }
settings_window_active() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "Settings — VORN" ]; }
# The tray menu is the app's only other small top-level window; it is mapped while open.
tray_menu() {
    local id
    for id in $(xdotool search --onlyvisible --class '^vorn$' 2>/dev/null); do
        [ "$(xwininfo -id "$id" | awk '/Width:/ { print $2 }')" -gt 100 ] \
            && [ "$(xwininfo -id "$id" | awk '/Height:/ { print $2 }')" -lt 300 ] && echo "$id" && return 0
    done
    return 1
}
tray_menu_closed() { ! tray_menu >/dev/null; }
open_tray_menu() {
    xdotool mousemove --window "$(tray_icon)" 11 11 click 3
    wait_for 10 tray_menu >/dev/null || return 1
    # Off the menu, so no entry is under the pointer when the keys choose one.
    xdotool mousemove 640 700
}

# A session bus of the test's own (the default one is a dead address, so nothing leaks in).
# No <servicedir>: nothing but the test's fakes can own a desktop service's name on it.
private_session_bus() {
    cat > "$WORK/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$WORK</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
    dbus-daemon --config-file="$WORK/bus.conf" --nofork --print-address=1 >"$WORK/bus.address" 2>"$WORK/bus.log" &
    PIDS+=($!)
    wait_for 10 test -s "$WORK/bus.address" || { echo "FAIL - dbus-daemon did not start"; cat "$WORK/bus.log"; exit 1; }
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus.address")
    export DBUS_SESSION_BUS_ADDRESS
}
