#!/usr/bin/env bash
# End-to-end test of the folder sync through real Syncthing: two VORN apps with homes of their
# own, each syncing through a folder that its own Syncthing daemon shares with the other's.
# A favourite, a hidden prompt, a created prompt and its deletion travel both ways; uses made
# on both sides while one daemon is stopped add up; no conflict copy appears anywhere.
# Usage: sync_e2e.sh PATH/TO/vorn
set -u
VORN=${1:?usage: sync_e2e.sh PATH/TO/vorn}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
# shellcheck source=syncthing_pair.sh
source "$(dirname "$0")/syncthing_pair.sh"

# One machine: its own home, settings, runtime folder (so its own running app) and sync folder.
on() { # laptop|desktop command...
    local home="$WORK/$1"; shift
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_CACHE_HOME="$home/.cache" XDG_STATE_HOME="$home/.local/state" XDG_RUNTIME_DIR="$home/run" "$@"
}
for who in laptop desktop; do
    mkdir -p "$WORK/$who/.config/vorn" "$WORK/$who/run" "$WORK/$who/Sync" && chmod 700 "$WORK/$who/run"
    printf '[General]\nshowFeedbackOnStart=false\nsync_device_name=%s\n' "$who" > "$WORK/$who/.config/vorn/vorn.ini"
done
start_app() { # who
    on "$1" "$VORN" >>"$WORK/$1.log" 2>&1 &
    PIDS+=($!)
    wait_for 30 grep -q "Sync complete" "$WORK/$1.log"
}
field() { # who id field: the prompt's field as JSON (nothing when it is not there)
    on "$1" "$VORN" prompts show "$2" --json 2>/dev/null \
        | python3 -c 'import json,sys; print(json.dumps(json.load(sys.stdin)[sys.argv[1]]))' "$3" 2>/dev/null
}
is() { [ "$(field "$1" "$2" "$3")" = "$4" ]; } # who id field value
absent() { ! on "$1" "$VORN" prompts show "$2" --json >/dev/null 2>&1; }
use() { on "$1" "$VORN" prompts render "$2" --copy >/dev/null 2>&1; }
both_idle() { st_idle laptop desktop && st_idle desktop laptop; }
no_conflicts() { [ -z "$(find "$WORK/laptop/Sync" "$WORK/desktop/Sync" -name '*.sync-conflict-*')" ]; }

st_make laptop "$WORK/laptop/Sync"
st_make desktop "$WORK/desktop/Sync"
st_config laptop desktop
st_config desktop laptop
check "the laptop's Syncthing starts" st_start laptop
check "the desktop's Syncthing starts" st_start desktop
check "... and they connect on loopback" wait_for 30 st_connected laptop desktop
check "the laptop's app starts" start_app laptop
check "the desktop's app starts" start_app desktop

check "vorn sync folder turns sync on (laptop)" on laptop "$VORN" sync folder "$WORK/laptop/Sync"
check "vorn sync folder turns sync on (desktop)" on desktop "$VORN" sync folder "$WORK/desktop/Sync"
laptop_id=$(on laptop "$VORN" sync status --json | python3 -c 'import json,sys; print(json.load(sys.stdin)["deviceId"])')
check "each journal reaches the other folder" wait_for 30 test -f "$WORK/desktop/Sync/vorn-$laptop_id.journal"
seen() { # who other-name
    on "$1" "$VORN" sync status --json \
        | python3 -c 'import json,sys; sys.exit(0 if sys.argv[1] in [d["name"] for d in json.load(sys.stdin)["devices"]] else 1)' "$2"
}
check "the desktop sees the laptop by name" wait_for 30 seen desktop laptop
check "... and the laptop the desktop" wait_for 30 seen laptop desktop

# Two shipped prompts to work on.
mapfile -t ids < <(on laptop "$VORN" prompts list --json | python3 -c 'import json,sys; [print(p["id"]) for p in json.load(sys.stdin)[:2]]')
p1=${ids[0]:-} p2=${ids[1]:-}
check "the shipped library lists prompts" test -n "$p1" -a -n "$p2"

# A prompt of the user's own travels (and is the one used below: it needs no values).
mine=F0E2E000-0000-4000-8000-0000000000C1
cat > "$WORK/mine.json" <<JSON
{"id": "$mine", "categories": [], "tags": [], "title": "Synced by Syncthing", "description": "d",
 "template": "Hello {{Name: Ann}}", "created": "2024-05-01", "updated": "2024-05-02", "active": true}
JSON
check "a prompt imports on the desktop" on desktop "$VORN" library import "$WORK/mine.json"
check "... and arrives on the laptop" wait_for 30 is laptop "$mine" title '"Synced by Syncthing"'

on laptop "$VORN" prompts favorite "$p1" >/dev/null
on desktop "$VORN" prompts hide "$p2" >/dev/null
check "a favourite made on the laptop shows on the desktop" wait_for 30 is desktop "$p1" favorite true
check "a prompt hidden on the desktop is hidden on the laptop" wait_for 30 is laptop "$p2" hidden true

# Offline: the desktop's daemon stops; both sides use the prompt, the desktop unmarks the favourite.
wait_for 30 both_idle
st_stop desktop
use laptop "$mine"
use desktop "$mine"
on desktop "$VORN" prompts favorite "$p1" --off >/dev/null
on desktop "$VORN" sync now >/dev/null
check "offline, each side counts its own use" is laptop "$mine" uses 1
check "the desktop's daemon starts again" st_start desktop
check "... and reconnects" wait_for 30 st_connected laptop desktop
check "uses made on both sides offline add up on the laptop" wait_for 40 is laptop "$mine" uses 2
check "... and on the desktop" wait_for 40 is desktop "$mine" uses 2
check "the newer unmarking of the favourite wins on the laptop" wait_for 30 is laptop "$p1" favorite false

# A reset of the database deletes what the user added; the deletion travels.
check "a database reset on the laptop" on laptop "$VORN" library reset --yes
check "... deletes the prompt on the desktop too" wait_for 30 absent desktop "$mine"
check "... and on the laptop" absent laptop "$mine"
check "the desktop's hidden prompt is still hidden after the laptop's reset" is desktop "$p2" hidden true
check "... and the shipped prompts stay" is desktop "$p1" favorite false

wait_for 30 both_idle
check "no *.sync-conflict-* file appears" no_conflicts
check "the laptop's app ends" on laptop "$VORN" quit
check "the desktop's app ends" on desktop "$VORN" quit

if [ "$failures" != 0 ]; then
    for f in laptop desktop; do echo "--- $f.log"; tail -n 30 "$WORK/$f.log"; done
    echo "$failures checks failed"
    exit 1
fi
echo "all checks passed"
