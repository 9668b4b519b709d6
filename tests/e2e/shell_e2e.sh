#!/usr/bin/env bash
# End-to-end test of the real program: the app starts into the tray, Super+Shift+P shows a
# focused panel, typing lands in the search field, Escape clears it and then hides the panel,
# a second vorn shows the first one's panel, library commands go through the running app, and
# the main use works from key press to clipboard, and the typed values survive a logout; the
# tray menu's "Settings..." then changes the shortcut's letter, which holds after a restart.
# Usage: shell_e2e.sh PATH/TO/vorn   (E2E_SCREENSHOT / E2E_FORM_SCREENSHOT=file.png keep pictures)
set -u
VORN=${1:?usage: shell_e2e.sh PATH/TO/vorn}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

start_app
app_pid=$!
check "the icon is embedded in the tray host" wait_for 15 tray_icon_embedded
# The tray host here is light grey: the glyph takes a dark colour once the tray has placed it.
check "the icon takes its colour from the tray" wait_for 15 grep -q "tray icon matched" "$WORK/app.log"
sleep 0.5
window_picture "$(tray_icon)" "$WORK/icon.png"
dark=$(pixels "$WORK/icon.png" below 60)
echo "     tray icon cell: $dark dark pixels of 484"
check "the icon is drawn dark on the light tray" [ "$dark" -ge 60 ]
check "nothing shows at start" bash -c "! xdotool search --onlyvisible --name '^VORN\$'"

xdotool key super+shift+p
check "Super+Shift+P shows the panel" wait_for 15 panel_visible
check "the panel has the keyboard focus" wait_for 15 panel_focused
xdotool type --delay 20 "hello"
xdotool key ctrl+a ctrl+c
check "typing goes into the search field" wait_for 10 bash -c '[ "$(xclip -o -selection clipboard)" = hello ]'
[ -n "${E2E_SCREENSHOT:-}" ] && sleep 0.5 && import -window root "$E2E_SCREENSHOT"
xdotool key Escape
sleep 0.3
xdotool type --delay 20 "zz"
xdotool key ctrl+a ctrl+c
check "Escape clears the search first" wait_for 10 bash -c 'panel_visible; [ "$(xclip -o -selection clipboard)" = zz ]'
xdotool key Escape Escape
check "a second Escape hides the panel" wait_for 10 bash -c "! xdotool search --onlyvisible --name '^VORN\$'"

check "a second vorn exits at once" timeout 10 "$VORN"
check "... and the first one shows its panel" wait_for 15 panel_visible
check "... focused" wait_for 15 panel_focused
check "only one app runs" [ "$(pgrep -c -f "^$VORN\$")" = 1 ]

id=$("$VORN" prompts list 2>/dev/null | head -n1 | cut -f1)
check "vorn prompts list answers through the running app" [ -n "$id" ]
check "vorn prompts favorite goes through the running app" "$VORN" prompts favorite "$id"
favorite_in_list() {
    "$VORN" prompts list --json | python3 -c 'import json, sys
sys.exit(0 if any(str(p.get("id")).upper() == sys.argv[1].upper() and p.get("favorite") is True
                  for p in json.load(sys.stdin)) else 1)' "$id"
}
check "the next list sees the change" favorite_in_list

reflection=4192F8EA-958F-4897-B8EE-7462F1C99C28
# Shortcut, search, Return: the prompt's form opens.
open_reflection() {
    xdotool key super+shift+p
    wait_for 15 panel_focused
    sleep 0.5
    xdotool type --delay 20 "daily reflection"
    sleep 1.5
    xdotool key Return
}
uses() { "$VORN" prompts show "$reflection" --json | python3 -c 'import json, sys; print(json.load(sys.stdin)["uses"])'; }

# The main use: shortcut, search, Return, type, Ctrl+Return; the clipboard holds the prompt.
xdotool key Escape Escape
wait_for 10 bash -c "! xdotool search --onlyvisible --name '^VORN\$'"
open_reflection
sleep 2
xdotool type --delay 10 "shipped the release"
sleep 0.3
xdotool key ctrl+Return
check "the form copy hides the panel" wait_for 15 bash -c "! xdotool search --onlyvisible --name '^VORN\$'"
rendered=$("$VORN" prompts render "$reflection")
check "the clipboard holds exactly the rendered prompt" bash -c '[ "$(xclip -o -selection clipboard)" = "$1" ]' _ "$rendered"
check "... with the typed value" bash -c '[[ "$1" == *"\"shipped the release\""* ]]' _ "$rendered"
check "the use was counted" [ "$(uses)" = 1 ]
[ -n "${E2E_FORM_SCREENSHOT:-}" ] && { open_reflection; sleep 1; import -window root "$E2E_FORM_SCREENSHOT"; xdotool key Escape Escape Escape; sleep 0.5; }

# A logout's SIGTERM right after typing into the form: the app ends cleanly, keeping the
# value, and a new one starts at once.
open_reflection # the last search is shown selected: typing replaces it
# The form is up once its focused field holds the value typed before.
field_holds() { xdotool key ctrl+a ctrl+c; sleep 0.3; [ "$(xclip -o -selection clipboard)" = "$1" ]; }
check "the form shows the value typed before" wait_for 15 field_holds "shipped the release"
xdotool key ctrl+End
xdotool type --delay 10 " today"
sleep 0.5 # the keys reach a slow (sanitizer) build a little later
kill -TERM "$app_pid"
( sleep 30; kill -KILL "$app_pid" ) >/dev/null 2>&1 & watchdog=$!
check "SIGTERM ends the app cleanly" wait "$app_pid"
pkill -P "$watchdog" sleep; kill "$watchdog" 2>/dev/null
"$VORN" >"$WORK/app2.log" 2>&1 &
check "a new app starts right after" wait_for 20 grep -q "tray icon ready" "$WORK/app2.log"
wait_for 20 grep -q "Sync complete" "$WORK/app2.log"
open_reflection
check "after a restart the form shows the value typed before" wait_for 15 field_holds "shipped the release today"
[ $failures -gt 0 ] && echo "clipboard now: $(xclip -o -selection clipboard 2>&1)"
wait_for 20 escape_panel

# The shortcut letter: the tray menu's second entry ("Settings...") by keyboard, Tab to the
# letter picker past the login switch, a letter key picks that letter.
INI="$XDG_CONFIG_HOME/vorn/vorn.ini"
settings_window_gone() { ! xdotool search --onlyvisible --name '^Settings — VORN$' >/dev/null; }
panel_hidden() { ! panel_visible; }
hotkey_presses() { grep -c "hotkey received" "$1"; }
# The restarted app's icon is embedded anew before the menu can open on it.
check "the restarted app's icon is embedded in the tray host" wait_for 15 tray_icon_embedded
sleep 0.5
check "a right click on the tray icon opens its menu" open_tray_menu
xdotool key Down Down Return
check "the menu's \"Settings...\" opens the settings window" wait_for 20 settings_window_active
xdotool key Tab Tab
xdotool key k
check "picking K stores hotkey_char=K" wait_for 10 grep -qx "hotkey_char=K" "$INI"
xdotool key Escape
check "Escape closes the settings window" wait_for 10 settings_window_gone

xdotool key super+shift+k
check "Super+Shift+K shows the panel" wait_for 15 panel_visible
check "... focused" wait_for 15 panel_focused
xdotool key Escape
check "Escape hides the panel" wait_for 10 panel_hidden

# The key events arrive in order: once the app has received K, a press of P that was still
# grabbed would have been received before it. The app's own count is the point to wait for:
# on a loaded machine the window manager can report the panel's state before the app has
# seen the keys.
before=$(hotkey_presses "$WORK/app2.log")
received_more() { [ "$(hotkey_presses "$WORK/app2.log")" -gt "$before" ]; }
xdotool key super+shift+p
xdotool key super+shift+k
wait_for 15 received_more
wait_for 15 panel_visible
sleep 0.3
check "Super+Shift+P no longer shows the panel" [ "$(hotkey_presses "$WORK/app2.log")" = $((before + 1)) ]
xdotool key Escape
wait_for 10 panel_hidden

# Start again: the stored letter is the one registered.
app=$(head -n1 "$XDG_RUNTIME_DIR/vorn/app.lock" 2>/dev/null)
kill "$app"
wait_for 20 exited "$app"
"$VORN" >"$WORK/app3.log" 2>&1 &
wait_for 30 grep -q "Sync complete" "$WORK/app3.log"
wait_for 30 grep -q "tray icon ready" "$WORK/app3.log"
xdotool key super+shift+p super+shift+k
check "after a restart Super+Shift+K shows the panel" wait_for 15 panel_visible
sleep 0.3
check "... and Super+Shift+P is not taken" [ "$(hotkey_presses "$WORK/app3.log")" = 1 ]

if [ $failures -gt 0 ]; then
    echo "--- app log"; cat "$WORK/app.log"
    [ -f "$WORK/app2.log" ] && { echo "--- log of the restarted app"; cat "$WORK/app2.log"; }
    [ -f "$WORK/app3.log" ] && { echo "--- log of the app started with K"; cat "$WORK/app3.log"; }
    exit 1
fi
echo "all end-to-end checks passed"
