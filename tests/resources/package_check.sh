#!/usr/bin/env bash
# Makes the Debian package from the built tree with CPack and checks it as apt would see it:
# its name, its contents, a Depends list that covers what the program loads at run time
# (every QML module its views import, the SVG and Wayland plugins, the two fonts) and that
# apt can resolve it on this system.
# Usage: package_check.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -uo pipefail
build=$1 source=$2 appid=$3 version=$4
source "$(dirname "$0")/check_support.sh" package cpack dpkg-deb dpkg-shlibdeps apt-get file

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log"; exit 1; }
deb=$work/vorn_${version}_$(dpkg --print-architecture).deb
check "the package is named vorn_<version>_<arch>.deb" test -s "$deb"
[ -s "$deb" ] || { ls "$work"; exit 1; }

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's#^\./#/#' >"$work/contents"
for file in /usr/bin/vorn "/usr/share/applications/$appid.desktop" "/usr/share/metainfo/$appid.metainfo.xml" \
    "/usr/share/icons/hicolor/scalable/apps/$appid.svg" "/usr/share/icons/hicolor/16x16/apps/$appid.png" \
    "/usr/share/icons/hicolor/512x512/apps/$appid.png" /usr/share/man/man1/vorn.1.gz \
    /usr/share/bash-completion/completions/vorn /usr/share/zsh/vendor-completions/_vorn \
    /usr/share/fish/vendor_completions.d/vorn.fish /usr/share/doc/vorn/LICENSE; do
    check "the package holds $file" grep -qxF "$file" "$work/contents"
done
check "the package puts nothing outside /usr" bash -c "! grep -v '^/usr' '$work/contents' | grep -q ."
check "the package's files belong to root" bash -c "! dpkg-deb --contents '$deb' | awk '{print \$2}' | grep -qvx root/root"
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/bin/vorn >"$work/vorn" 2>/dev/null
check "the packaged binary is stripped" bash -c "file '$work/vorn' | grep -q ', stripped'"

# Depends: what the program loads, each found from this system's files, must be there.
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
has_depend() { grep -Eq "(^|, )$1( \(|,|$)" <<<"$depends"; }
package_of() { dpkg -S "$1" 2>/dev/null | head -n1 | cut -d: -f1; }
check "Depends has the Qt libraries dpkg-shlibdeps finds" has_depend libqt6core6

# Every QML module the views import, and the modules those import in turn.
qml=$(qtpaths6 --query QT_INSTALL_QML 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/qml)
mapfile -t todo < <(grep -rhoE '^import Qt[A-Za-z.]*' "$source/src" --include='*.qml' | awk '{print $2}' | sort -u)
declare -A seen
while [ ${#todo[@]} -gt 0 ]; do
    uri=${todo[0]}; todo=("${todo[@]:1}")
    [ -n "${seen[$uri]:-}" ] && continue
    seen[$uri]=1
    qmldir="$qml/${uri//.//}/qmldir"
    if [ ! -f "$qmldir" ]; then check "the QML module $uri is installed here" false; continue; fi
    pkg=$(package_of "$qmldir")
    check "Depends has $pkg for the QML module $uri" has_depend "$pkg"
    mapfile -t -O ${#todo[@]} todo < <(grep -E '^(default )?(import|depends) ' "$qmldir" | awk '{for (i = 1; i < NF; i++) if ($i == "import" || $i == "depends") { print $(i + 1); break }}' | grep '^Qt')
done
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
for plugin in imageformats/libqsvg.so iconengines/libqsvgicon.so platforms/libqwayland-generic.so; do
    pkg=$(package_of "$plugins/$plugin")
    check "Depends has ${pkg:-?} for the plugin $plugin" has_depend "${pkg:-none}"
done
for family in "Inter" "Material Icons"; do
    font=$(fc-list ":family=$family" file | head -n1 | sed 's/: *$//')
    pkg=$( [ -n "$font" ] && package_of "$font")
    check "Depends has ${pkg:-?} for the font $family" has_depend "${pkg:-none}"
done

# apt resolves the package with the archives this system knows.
apt-get install -s "$deb" >"$work/apt.log" 2>&1
status=$?
check "apt-get install -s resolves every dependency" test $status -eq 0
[ $status -eq 0 ] || cat "$work/apt.log"
check "apt would install vorn" grep -q '^Inst vorn ' "$work/apt.log"

finish
