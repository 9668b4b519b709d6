# Shared by install_check.sh and package_check.sh; source it with a name for the work folder
# and the tools the check needs: source check_support.sh NAME TOOL...
# It gives $work (removed at exit), check DESCRIPTION COMMAND... (prints ok or FAIL and
# counts the failures) and finish (fails the script when any check failed).
for tool in "${@:2}"; do
    command -v "$tool" >/dev/null || { echo "FAIL - $tool is not installed (scripts/setup installs it)"; exit 1; }
done
work=$(mktemp -d "/tmp/vorn-$1-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
check() {
    local what=$1; shift
    if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
finish() { [ $failures -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }; }
