#!/usr/bin/env bash
# End-to-end test of the command line without a running app: help needs no library, Qt's
# start options are passed on, every output ends its line, a backup restores favourites,
# standard input is read as bytes, and a copied prompt stays on the clipboard after the
# command has ended, until another program takes the clipboard.
# Usage: cli_e2e.sh PATH/TO/vorn
set -u
VORN=${1:?usage: cli_e2e.sh PATH/TO/vorn}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"
store="$XDG_DATA_HOME/vorn/library.sqlite"
ends_with_newline() { [ "$(tail -c1 "$1" | od -An -c | tr -d ' ')" = '\n' ]; }

check "vorn library --help prints its help" bash -c "'$VORN' library --help | grep -q '^Usage: vorn library'"
check "vorn prompts --help prints its help" bash -c "'$VORN' prompts --help | grep -q '^Usage: vorn prompts'"
check "... without opening the library" test ! -e "$store"
check "the first library sync reports what it inserted" bash -c "'$VORN' library sync 2>/dev/null | grep -q 'Sync finished. Inserted: [1-9]'"
check "Qt's start options are passed to Qt" bash -c "'$VORN' -platform offscreen -reverse --version | grep -q '^VORN '"

printf 'Hi {{Name: Ann}}' > "$WORK/template.txt"
"$VORN" template render "$WORK/template.txt" > "$WORK/rendered.txt"
check "template render ends its line" ends_with_newline "$WORK/rendered.txt"

id=F0E2E000-0000-4000-8000-000000000001
cat > "$WORK/mine.json" <<JSON
{"id": "$id", "categories": [], "tags": [], "title": "E2E mine", "description": "d",
 "template": "Hello {{Name: Ann}}", "created": "2024-05-01", "updated": "2024-05-02", "active": true}
JSON
check "a prompt imports from a file" "$VORN" library import "$WORK/mine.json"
"$VORN" prompts favorite "$id" >/dev/null
check "validate exits 0 on a valid library" "$VORN" library validate
"$VORN" library reset --yes > "$WORK/reset.log" 2>&1
backup=$(ls "$HOME/Documents"/Backup_*prompts.json 2>/dev/null | tail -n1)
check "reset writes a backup" test -n "$backup"
check "... that imports again" "$VORN" library import "$backup"
check "... with the favourite back" bash -c "'$VORN' prompts show '$id' --json | python3 -c 'import json,sys; sys.exit(0 if json.load(sys.stdin)[\"favorite\"] else 1)'"

printf '{"id": "F0E2E000-0000-4000-8000-000000000002", "categories": [], "tags": [], "title": "Caf\xe9", "description": "", "template": "x", "created": "2024-05-01", "updated": "2024-05-01"}' > "$WORK/latin1.json"
"$VORN" library import < "$WORK/latin1.json" > "$WORK/latin1.out" 2> "$WORK/latin1.err"
code=$?
check "text that is not UTF-8 on standard input is refused" [ "$code" = 1 ]
check "... with the importer's message" grep -qx "Invalid text encoding." "$WORK/latin1.err"

"$VORN" prompts render "$id" --copy > "$WORK/copy.out" 2> "$WORK/copy.err"
check "render --copy succeeds without a running app" [ $? = 0 ]
check "... says Copied. on standard error" grep -qx "Copied." "$WORK/copy.err"
check "... ends its line" ends_with_newline "$WORK/copy.out"
check "the copied text outlives the command" wait_for 5 bash -c '[ "$(xclip -o -selection clipboard)" = "Hello \"Ann\"" ]'
echo "something else" | xclip -selection clipboard
check "the holder ends when another program takes the clipboard" wait_for 10 bash -c "! pgrep -f -- '[_]_hold-clipboard' >/dev/null"

# The search: matches first, close matches after a blank line, each with its kind in JSON.
"$VORN" prompts list summarise summary > "$WORK/exact.out" 2>/dev/null
"$VORN" prompts list summarize > "$WORK/close.out" 2>/dev/null
check "prompts list lists the matches without a blank line before them" bash -c "head -n1 '$WORK/exact.out' | grep -q \"\$(printf '\\t')Summarise\""
check "... and close matches after a blank line" bash -c "[ -z \"\$(head -n1 '$WORK/close.out')\" ] && sed -n 2p '$WORK/close.out' | grep -q Summarise"
check "... none of them with --exact" bash -c "[ -z \"\$('$VORN' prompts list summarize --exact 2>/dev/null)\" ]"
check "... and --json gives each result's kind" bash -c "'$VORN' prompts list summarize --json 2>/dev/null | python3 -c 'import json,sys; k={o[\"kind\"] for o in json.load(sys.stdin)}; sys.exit(0 if k == {\"close\"} else 1)'"
check "... matches being of the kind match" bash -c "'$VORN' prompts list summarise --json 2>/dev/null | python3 -c 'import json,sys; a=json.load(sys.stdin); sys.exit(0 if a and a[0][\"kind\"] == \"match\" else 1)'"
# A command prints its result alone on standard output; its diagnostics go to standard error,
# and the start-up synchronisation's report only with --verbose.
"$VORN" prompts list --json > "$WORK/list.json" 2> "$WORK/list.err"
check "prompts list --json keeps the sync report to itself" bash -c "! grep -q PromptSyncService '$WORK/list.err'"
"$VORN" --verbose prompts list --json > "$WORK/verbose.json" 2> "$WORK/verbose.err"
check "--verbose shows it on standard error" grep -q "PromptSyncService" "$WORK/verbose.err"
check "... and the output is the same JSON" cmp -s "$WORK/list.json" "$WORK/verbose.json"
printf 'this is no SQLite file, only text that fills a page of it all the same. %.0s' {1..80} > "$store"
rm -f "$store-wal" "$store-shm"
"$VORN" prompts list --json > "$WORK/fresh.json" 2> "$WORK/fresh.err"
check "after the store was moved aside, prompts list --json succeeds" [ $? = 0 ]
check "... printing valid JSON alone on standard output" python3 -c 'import json, sys; assert len(json.load(open(sys.argv[1]))) > 0' "$WORK/fresh.json"
check "... saying on standard error where the store went" grep -q "moved to .*library.sqlite.corrupt-" "$WORK/fresh.err"
check "... which is kept" bash -c "ls '$store'.corrupt-* >/dev/null"

pkill -f -- '[_]_hold-clipboard' 2>/dev/null
[ "$failures" = 0 ] || { echo "$failures checks failed"; exit 1; }
echo "all checks passed"
