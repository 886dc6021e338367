#!/usr/bin/env bash
# Desktop integration: the desktop entry validates, an installation puts
# everything in its place, and the guide speaks of every menu command.
set -u
SRC=$1
BUILD=$2
pass=0
fail=0
check() {
    if [ "$2" -eq 0 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1"; fi
}

desktop-file-validate "$SRC/data/pixfold.desktop"; check "desktop entry validates" $?
grep -q '^MimeType=inode/directory;$' "$SRC/data/pixfold.desktop"; check "opens folders" $?

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$BUILD" --prefix "$prefix" >/dev/null; check "cmake --install" $?
for f in bin/pixfold bin/pixfold-batch share/pixfold/pixfold-guide.html \
         share/applications/pixfold.desktop; do
    [ -e "$prefix/$f" ]; check "installed $f" $?
done
for s in 16 32 48 128 256; do
    [ -s "$prefix/share/icons/hicolor/${s}x${s}/apps/pixfold.png" ]; check "icon ${s}x${s}" $?
done
[ "$(identify -format '%w %h' "$prefix/share/icons/hicolor/48x48/apps/pixfold.png" 2>/dev/null)" = "48 48" ]
check "the 48 icon is 48 x 48" $?

# Every menu command, as the menus show it, is explained in the guide.
guide="$SRC/docs/pixfold-guide.html"
grep -o '"[^"]*"' <(grep -E 'MenuKind::Item' "$SRC/src/res/Menus.h") | tr -d '"' |
    sed -e 's/\\t.*//' -e 's/&//g' -e 's/\.\.\.$/.../' | sort -u | while read -r item; do
    if grep -qF "$item" "$guide"; then echo ok; else echo "FAIL: guide does not name '$item'" >&2; echo no; fi
done > "$prefix/menu-check"
[ "$(grep -c no "$prefix/menu-check")" -eq 0 ] && [ "$(grep -c ok "$prefix/menu-check")" -ge 15 ]
check "guide names every menu command" $?
for pref in "Image Pitch" "Show Image Dimensions" "Slide Show Interval" "Decending" \
            "Use Default Color" "Number of Files on MRU List" "Restore Defaults"; do
    grep -qF "$pref" "$guide"; check "guide explains $pref" $?
done

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
