#!/usr/bin/env bash
# End-to-end test on a dark X11 desktop: the tray icon is drawn light on a dark tray host, the
# tray menu is dark, "Quit VORN" in the settings window and `vorn quit` end the app with its
# last change saved (exit 0), and `vorn quit` without an app does nothing and succeeds.
# Usage: desktop_e2e.sh PATH/TO/vorn   (E2E_SHOT_DIR=folder keeps the pictures as desktop-*.png)
set -u
VORN=${1:?usage: desktop_e2e.sh PATH/TO/vorn}
# A dark panel, as GNOME's top bar or a dark Plasma panel is.
export E2E_TRAYER_ARGS="--transparent true --alpha 0 --tint 0x1e1e1e"
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

shot() { [ -n "${E2E_SHOT_DIR:-}" ] && import -window root "$E2E_SHOT_DIR/desktop-$1.png"; return 0; }
favorite_of() { "$VORN" prompts show "$1" --json | python3 -c 'import json, sys; print(json.load(sys.stdin)["favorite"])'; }

check "vorn quit without a running app succeeds" timeout 10 "$VORN" quit
check "... and prints nothing" [ -z "$(timeout 10 "$VORN" quit 2>&1)" ]

"$VORN" >"$WORK/app.log" 2>&1 &
app=$!
check "the app starts into the tray" wait_for 30 grep -q "tray icon ready" "$WORK/app.log"
wait_for 30 grep -q "Sync complete" "$WORK/app.log"
check "the icon is embedded in the tray host" wait_for 15 tray_icon_embedded
check "the icon takes its colour from the tray" wait_for 15 grep -q "tray icon matched" "$WORK/app.log"
sleep 0.5
window_picture "$(tray_icon)" "$WORK/icon.png"
light=$(pixels "$WORK/icon.png" above 170)
dark=$(pixels "$WORK/icon.png" below 60)
echo "     tray icon cell: $light light and $dark dark pixels of 484"
check "the icon is drawn light on the dark tray" [ "$light" -ge 60 ]
check "... and the tray around it stays dark" [ "$dark" -ge 100 ]
shot x11-dark-tray

check "a right click on the tray icon opens its menu" open_tray_menu
sleep 0.5
menu=$(tray_menu)
window_picture "$menu" "$WORK/menu.png"
menu_pixels=$(convert "$WORK/menu.png" -format '%[fx:w*h]' info:)
menu_dark=$(pixels "$WORK/menu.png" below 70)
check "the tray menu is dark" [ "$menu_dark" -ge $((menu_pixels * 3 / 4)) ]
check "... with light text" [ "$(pixels "$WORK/menu.png" above 190)" -ge 100 ]
shot x11-tray-menu

# "Settings..." by keyboard, then the settings window's "Quit VORN" button.
id=$("$VORN" prompts list 2>/dev/null | head -n1 | cut -f1)
xdotool key Down Down Return
check "the menu's \"Settings...\" opens the settings window" wait_for 20 settings_window_active
"$VORN" prompts favorite "$id" >/dev/null
window=$(xdotool getactivewindow)
width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
height=$(xwininfo -id "$window" | awk '/Height:/ { print $2 }')
shot x11-settings
xdotool mousemove --window "$window" $((width - 60)) $((height - 27)) click 1
check "\"Quit VORN\" in the settings ends the app" wait_for 20 exited "$app"
wait "$app"
check "... with exit status 0" [ $? = 0 ]
check "... keeping the change made just before" [ "$(favorite_of "$id")" = True ]

"$VORN" >"$WORK/app2.log" 2>&1 &
app=$!
wait_for 30 grep -q "Sync complete" "$WORK/app2.log"
"$VORN" prompts favorite "$id" --off >/dev/null
check "vorn quit ends the running app" timeout 40 "$VORN" quit
check "... which has ended when vorn quit returns" exited "$app"
wait "$app"
check "... with exit status 0" [ $? = 0 ]
check "... keeping the change made just before" [ "$(favorite_of "$id")" = False ]
check "vorn quit after that succeeds too" timeout 10 "$VORN" quit

if [ $failures -gt 0 ]; then
    echo "--- app log"; cat "$WORK/app.log"
    [ -f "$WORK/app2.log" ] && { echo "--- second app log"; cat "$WORK/app2.log"; }
    exit 1
fi
echo "all desktop end-to-end checks passed"
