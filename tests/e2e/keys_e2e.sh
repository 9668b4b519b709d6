#!/usr/bin/env bash
# End-to-end test of the panel by keys alone, as someone who lives in a launcher uses it:
# the shortcut; typing straight past the welcome sheet; walking to a prompt inside a
# collapsed category without searching; filling a text, a choice, a shared-list, a number, a
# range and a date field (the date through its calendar); copying and reading the clipboard;
# Ctrl+, for the settings, changing one and going back; Ctrl+Q to quit.
# Usage: keys_e2e.sh PATH/TO/vorn   (E2E_SHOTS=DIR keeps pictures of the steps there)
set -u
VORN=${1:?usage: keys_e2e.sh PATH/TO/vorn}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
export TZ=UTC

# A library of two categories; the prompt with every kind of field lies in the second.
SEED="$WORK/seed"
mkdir -p "$SEED"
python3 "$(dirname "$0")/form_seed.py" "$SEED" "$(dirname "$0")/../../resources/data.json"
export VORN_SEED_DIR="$SEED"
# The welcome sheet opens the first time the panel is shown.
printf '[General]\nshowFeedbackOnStart=true\n' > "$XDG_CONFIG_HOME/vorn/vorn.ini"

shot() { [ -n "${E2E_SHOTS:-}" ] && { sleep 0.4; import -window root "$E2E_SHOTS/keys-$1.png"; }; return 0; }
clipboard_has() { xclip -o -selection clipboard 2>/dev/null | grep -qxF -- "$1"; }
panel_hidden() { ! panel_visible; }
autostart_written() { compgen -G "$XDG_CONFIG_HOME/autostart/*.desktop" >/dev/null; }
keys() { xdotool key --delay 120 "$@"; }

start_app

# 1. The welcome sheet is open, and the first keys go past it into the search.
check "the shortcut shows the panel, focused" show_panel
sleep 0.6
shot welcome
xdotool type --delay 80 "alpha"
shot welcome-typed
keys Return
sleep 0.8
keys ctrl+Return
check "typing \"alpha\" and Return through the welcome sheet opens that prompt; Ctrl+Return copies it" \
    wait_for 10 clipboard_has "Alpha body text, no fields."
check "... and hides the panel" wait_for 10 panel_hidden

# 2. The search comes back selected; Escape clears it. The list is one stop of the Tab order
# after the search options, then the gear and the close button.
check "the shortcut shows the panel again" show_panel
keys Escape
sleep 0.4
keys Tab Tab Tab
shot list-focus
keys Tab
shot gear-focus
keys shift+Tab
# 3. End goes to the last category's header, collapsed; Right opens it, Right again enters
# it, Left goes back to the header and closes it, Right opens it again.
keys End
shot collapsed-header
keys Right
keys Right Left Left Right Right
shot category-open
keys Return
sleep 0.8
shot form

# 4. The form: Tab walks the fields; the sort button beside the shared list is no stop.
xdotool type --delay 60 "tour"
keys Tab Down
sleep 0.3
keys Down Return            # the choice's menu: the option after "formal"
keys Tab
xdotool type --delay 60 "German"
keys Tab
xdotool type --delay 60 "7"
keys Tab Right Right        # the range, from its minimum 1 to 3
keys Tab Return             # the date's calendar, on 2027-05-10
sleep 0.4
keys Right Down Next        # a day on, a week on, a month on: 2027-06-18
shot calendar
keys Return
shot form-filled
keys ctrl+Return
check "the text field was typed into" wait_for 10 clipboard_has 'Topic: "tour"'
check "the choice was picked from its menu" clipboard_has 'Tone: "casual"'
check "the shared list took the typed value" clipboard_has 'Language: "German"'
check "the number field came next (the sort button is not in the way)" clipboard_has 'Count: "7"'
check "the range moved by the arrows" clipboard_has 'Level: "3"'
check "the date was picked in the calendar by keys" clipboard_has 'Due: "2027-06-18T00:00:00Z"'
check "copying hides the panel" wait_for 10 panel_hidden

# 5. Ctrl+, opens the settings over the panel; a setting changes; Escape goes back.
check "the shortcut shows the panel once more" show_panel
keys ctrl+comma
sleep 0.8
shot settings
keys Tab space              # the login switch
check "the settings' login switch, reached by Tab, writes the autostart entry" wait_for 10 autostart_written
keys Escape
sleep 0.5
xdotool type --delay 60 "alp"
shot back
keys Return
sleep 0.8
keys ctrl+Return
check "Escape went back to the library, whose search takes the keys" \
    wait_for 10 clipboard_has "Alpha body text, no fields."

# 6. Ctrl+Q in the panel quits.
app=$(head -n1 "$XDG_RUNTIME_DIR/vorn/app.lock" 2>/dev/null)
check "the shortcut shows the panel for the last time" show_panel
keys ctrl+q
check "Ctrl+Q in the panel quits the app" wait_for 15 exited "$app"

if [ $failures -gt 0 ]; then
    echo "--- clipboard"; xclip -o -selection clipboard 2>/dev/null
    echo "--- app log"; cat "$WORK/app.log"
    exit 1
fi
echo "all keyboard end-to-end checks passed"
