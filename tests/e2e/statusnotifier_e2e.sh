#!/usr/bin/env bash
# End-to-end test of the tray icon on a desktop whose panel hosts StatusNotifier items (KDE
# Plasma, GNOME with the AppIndicator extension) instead of an XEmbed tray: the app registers
# its item with the panel's watcher, names its icon by the application id so that the panel
# can theme it, offers the tray menu over D-Bus, and a click on the item shows the panel.
# Usage: statusnotifier_e2e.sh PATH/TO/vorn PATH/TO/vorn_fake_sni_watcher
set -u
VORN=${1:?usage: statusnotifier_e2e.sh PATH/TO/vorn PATH/TO/vorn_fake_sni_watcher}
WATCHER=${2:?usage: statusnotifier_e2e.sh PATH/TO/vorn PATH/TO/vorn_fake_sni_watcher}
for tool in dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
private_session_bus

# The icons where an installed package puts them.
mkdir -p "$WORK/share/icons"
cp -r "$(dirname "$0")/../../resources/icons/hicolor" "$WORK/share/icons/"
export XDG_DATA_DIRS="$WORK/share:/usr/share"

"$WATCHER" >"$WORK/watcher.log" 2>&1 &
PIDS+=($!)
wait_for 10 grep -q ready "$WORK/watcher.log" || { echo "FAIL - the fake watcher did not start"; cat "$WORK/watcher.log"; exit 1; }

"$VORN" >"$WORK/app.log" 2>&1 &
check "the app registers its item with the panel's watcher" wait_for 30 grep -q "^registered " "$WORK/watcher.log"
wait_for 30 grep -q "Sync complete" "$WORK/app.log"
read -r _ service path < <(grep -m1 "^registered " "$WORK/watcher.log")
item() { # interface.method, arguments...
    dbus-send --session --print-reply --dest="$service" "$path" "$@"
}
property() { item org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem "string:$1"; }

check "the icon is named by the application id, for the panel's theme" \
    eval 'property IconName | grep -q "string \"io.github.vorn.Vorn-symbolic\""'
check "the item is active" eval 'property Status | grep -q "string \"Active\""'
menu=$(property Menu | awk '/object path/ { gsub(/"/, "", $4); print $4 }')
check "the item offers a menu" [ -n "$menu" ]
layout() { dbus-send --session --print-reply --dest="$service" "$menu" com.canonical.dbusmenu.GetLayout int32:0 int32:-1 array:string:; }
check "... with \"Settings...\" and \"Quit VORN\"" eval 'layout | grep -q "\"Settings...\"" && layout | grep -q "\"Quit VORN\""'

check "nothing shows at start" bash -c '! panel_visible'
check "a click on the item is answered" eval "item org.kde.StatusNotifierItem.Activate int32:0 int32:0 >/dev/null"
check "... and shows the panel" wait_for 15 panel_visible

if [ $failures -gt 0 ]; then
    echo "--- app log"; cat "$WORK/app.log"
    echo "--- watcher log"; cat "$WORK/watcher.log"
    exit 1
fi
echo "all StatusNotifier end-to-end checks passed"
