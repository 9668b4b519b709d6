#!/usr/bin/env bash
# Installs the built tree into a temporary prefix with cmake --install and checks what a
# desktop finds there: the files at their places, the desktop file and the AppStream
# metainfo passing the desktop's own validators, the icons at their sizes, the manual page,
# the shell completions and a binary that runs without the build tree.
# Usage: install_check.sh BUILD_DIR SOURCE_DIR APP_ID
set -uo pipefail
build=$1 source=$2 appid=$3
source "$(dirname "$0")/check_support.sh" install desktop-file-validate appstreamcli man file
prefix=$work/usr

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
share=$prefix/share
desktop=$share/applications/$appid.desktop
metainfo=$share/metainfo/$appid.metainfo.xml

for file in bin/vorn "share/applications/$appid.desktop" "share/metainfo/$appid.metainfo.xml" \
    share/man/man1/vorn.1.gz share/bash-completion/completions/vorn share/zsh/vendor-completions/_vorn \
    share/fish/vendor_completions.d/vorn.fish share/doc/vorn/LICENSE \
    "share/icons/hicolor/scalable/apps/$appid.svg"; do
    check "installs $file" test -s "$prefix/$file"
done
check "the symbolic icon is installed" bash -c "ls '$share'/icons/hicolor/*/apps/'$appid'-symbolic.svg >/dev/null"

# The validators of the desktop, as a software centre or a menu runs them.
check "desktop-file-validate passes" desktop-file-validate "$desktop"
check "appstreamcli validate passes" appstreamcli validate --no-net "$metainfo"
check "appstreamcli validate-tree passes" appstreamcli validate-tree --no-net "$prefix"

# The desktop file and the metainfo name each other, the icon and the window class.
check "the desktop file names the icon by the application id" grep -qx "Icon=$appid" "$desktop"
check "the desktop file names the window class" grep -qx "StartupWMClass=vorn" "$desktop"
check "the metainfo launches the installed desktop file" \
    grep -q "<launchable type=\"desktop-id\">$appid.desktop</launchable>" "$metainfo"
check "the metainfo has a dated release" grep -Eq '<release version="[0-9.]+" date="[0-9]{4}-[0-9]{2}-[0-9]{2}"' "$metainfo"
check "the metainfo has a home page" grep -q '<url type="homepage">https://' "$metainfo"
check "the metainfo names its developer" grep -q '<developer_name>.' "$metainfo"
for picture in $(grep -o '<image>[^<]*</image>' "$metainfo" | sed 's#.*/\([^/<]*\)</image>#\1#'); do
    check "the screenshot $picture is one of docs/" test -s "$source/docs/$picture"
done

# PNG icons from 16 to 512 pixels, each as large as the folder it is in says.
for size in 16 22 24 32 48 64 128 256 512; do
    check "the $size px icon is a $size x $size PNG" \
        bash -c "file -b '$share/icons/hicolor/${size}x${size}/apps/$appid.png' | grep -q '^PNG image data, $size x $size,'"
done

# The manual page renders without a warning of groff or man.
man_out=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$share/man/man1/vorn.1.gz" 2>"$work/man.err")
check "the manual page renders without warnings" test ! -s "$work/man.err"
check "the manual page has the commands and the version" \
    bash -c 'grep -q "library sync" <<<"$1" && grep -q "prompts render" <<<"$1" && grep -q "vorn [0-9]" <<<"$1"' _ "$man_out"
[ -s "$work/man.err" ] && cat "$work/man.err"

# Bash completion, asked as bash asks it.
complete_bash() { # words... ; prints the candidates for the last word
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vorn; printf "%s\n" "${COMPREPLY[@]}"' \
        _ "$share/bash-completion/completions/vorn" "$@" 2>/dev/null | sort | tr '\n' ' '
}
check "bash completes the commands" test "$(complete_bash vorn '')" = "--help --verbose --version library prompts quit show template "
check "bash completes library commands" test "$(complete_bash vorn library re)" = "reset reset-stats "
check "bash completes the options of prompts list" \
    test "$(complete_bash vorn prompts list --)" = "--all --help --hidden --json --template "
mkdir -p "$work/templates" && touch "$work/templates/mail.txt"
check "bash completes template files" test "$(complete_bash vorn template render "$work/templates/m")" = "$work/templates/mail.txt "
if command -v zsh >/dev/null; then check "the zsh completion parses" zsh -n "$share/zsh/vendor-completions/_vorn"
else echo "skip - zsh is not installed"; fi
if command -v fish >/dev/null; then
    check "the fish completion parses" fish -n "$share/fish/vendor_completions.d/vorn.fish"
    check "fish completes library commands" bash -c "fish -c 'source $share/fish/vendor_completions.d/vorn.fish; complete -C\"vorn library re\"' | cut -f1 | sort | tr '\n' ' ' | grep -qx 'reset reset-stats '"
else echo "skip - fish is not installed"; fi

# The installed binary runs on its own: no path into the build tree, version and help work.
check "the installed binary has no run path into the build tree" \
    bash -c "! readelf -d '$prefix/bin/vorn' | grep -E 'R(UN)?PATH' | grep -q '$build'"
check "the installed binary prints its version" bash -c "'$prefix/bin/vorn' --version | grep -q '[0-9]'"
check "the installed binary prints its help" bash -c "'$prefix/bin/vorn' --help | grep -q '^Usage: vorn'"

finish
