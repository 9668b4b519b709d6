#!/usr/bin/env bash
# End-to-end test of the program in another language: under LANG=de_DE.UTF-8 (or the locale
# given) the settings window carries its translated title, the app starts without locale
# complaints, and the panel, the form, the tray menu and the settings are photographed.
# Usage: i18n_e2e.sh PATH/TO/vorn [LOCALE [TITLE]]
#   LOCALE defaults to de_DE.UTF-8, TITLE (the settings window's title) to "Einstellungen".
#   E2E_SHOT_DIR=folder keeps the pictures as i18n-<language>-{panel,form,tray,settings}.png.
set -u
VORN=${1:?usage: i18n_e2e.sh PATH/TO/vorn [LOCALE [TITLE]]}
E2E_LANG=${2:-de_DE.UTF-8}
title=${3:-Einstellungen}
language=${E2E_LANG%%_*}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

shots=${E2E_SHOT_DIR:-$WORK}
mkdir -p "$shots"
shot() { sleep 0.8; import -window root "$shots/i18n-$language-$1.png"; }
settings_titled() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$title — VORN" ]; }

"$VORN" >"$WORK/app.log" 2>&1 &
check "the app starts into the tray under LANG=$LANG" wait_for 30 grep -q "tray icon ready" "$WORK/app.log"
wait_for 30 grep -q "Sync complete" "$WORK/app.log"
check "the icon is embedded in the tray host" wait_for 15 tray_icon_embedded
check "no complaint about the locale" bash -c "! grep -qi 'locale' '$WORK/app.log'"

xdotool key super+shift+p
check "the panel shows" wait_for 15 panel_focused
shot panel
# A prompt's form: its search stays English, as the library is.
xdotool type --delay 20 "daily reflection"
sleep 1.5
xdotool key Return
sleep 1.5
shot form
wait_for 20 escape_panel

check "a right click on the tray icon opens its menu" open_tray_menu
shot tray
xdotool key Down Down Return
check "the settings window opens with the title \"$title — VORN\"" wait_for 20 settings_titled
shot settings
xdotool key Escape

"$VORN" quit >/dev/null 2>&1
[ "$failures" -eq 0 ] || { echo "--- app log"; tail -n 30 "$WORK/app.log"; }
exit $((failures > 0))
