#!/usr/bin/env bash
# Accessibility end-to-end test with a real assistive-technology client: the app under Xvfb
# with Qt's AT-SPI bridge on, the accessibility bus of at-spi2-core on the test's own session
# bus, and a pyatspi client (a11y_client.py) that walks the panel's accessible tree as a
# screen reader does. Every interactive control showing in the library, the form and the
# settings sheet has a role and a name, and a focus event names each field as Tab walks
# the form.
# Usage: a11y_e2e.sh PATH/TO/vorn
set -u
VORN=${1:?usage: a11y_e2e.sh PATH/TO/vorn}
LAUNCHER=/usr/libexec/at-spi-bus-launcher
CLIENT="$(dirname "$0")/a11y_client.py"
[ -x "$LAUNCHER" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
export TZ=UTC

SEED="$WORK/seed"
mkdir -p "$SEED"
python3 "$(dirname "$0")/form_seed.py" "$SEED" "$(dirname "$0")/../../resources/data.json"
export VORN_SEED_DIR="$SEED"

private_session_bus
# The accessibility bus: the launcher owns org.a11y.Bus on the session bus and starts the
# bus itself with its registry.
"$LAUNCHER" --launch-immediately >"$WORK/atspi.log" 2>&1 & PIDS+=($!)
a11y_bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null \
        | grep -q 'unix:'
}
wait_for 20 a11y_bus_up || { echo "FAIL - the accessibility bus did not start"; cat "$WORK/atspi.log"; exit 1; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

keys() { xdotool key --delay 150 "$@"; }
client() { /usr/bin/python3 "$CLIENT" "$@"; }

start_app
check "the shortcut shows the panel" show_panel
sleep 1

# The library, with a category open.
keys End Right
sleep 0.6
check "every control of the library has a role and a name" client tree VORN

# The form of the prompt with every kind of field, walked by Tab.
keys Right Return
sleep 1
check "every control of the form has a role and a name" client tree VORN
check "a focus event names each field as Tab walks the form" \
    client focus Tab Tone Language Count Level Due
# The shared list's menu, open.
keys shift+Tab shift+Tab shift+Tab Down
sleep 0.6
check "the entries of a choice's open menu have names" client tree VORN
keys Escape Escape
sleep 0.6

# The settings sheet, and the entries of its letter picker while its list is open.
keys ctrl+comma
sleep 1
check "every control of the settings sheet has a role and a name" client tree VORN
keys Tab Tab space
sleep 0.6
check "the letter picker's entries have names" client tree VORN

if [ $failures -gt 0 ]; then
    echo "--- app log"; cat "$WORK/app.log"
    echo "--- accessibility bus log"; cat "$WORK/atspi.log"
    exit 1
fi
echo "all accessibility end-to-end checks passed"
