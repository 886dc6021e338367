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
# Announcing inode/directory would make Pixfold the default program for every folder.
! grep -q '^MimeType=' "$SRC/data/pixfold.desktop"; check "announces no file type" $?

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$BUILD" --prefix "$prefix" >/dev/null; check "cmake --install" $?
for f in bin/pixfold bin/pixfold-batch share/pixfold/pixfold-guide.html \
         share/applications/pixfold.desktop share/man/man1/pixfold.1.gz \
         share/man/man1/pixfold-batch.1.gz share/metainfo/org.example.pixfold.metainfo.xml; do
    [ -e "$prefix/$f" ]; check "installed $f" $?
done
for s in 16 32 48 128 256; do
    [ -s "$prefix/share/icons/hicolor/${s}x${s}/apps/pixfold.png" ]; check "icon ${s}x${s}" $?
done
[ "$(identify -format '%w %h' "$prefix/share/icons/hicolor/48x48/apps/pixfold.png" 2>/dev/null)" = "48 48" ]
check "the 48 icon is 48 x 48" $?

# Installed as a desktop would see it, the entry leaves the default for folders alone.
if command -v xdg-mime >/dev/null && command -v update-desktop-database >/dev/null; then
    update-desktop-database "$prefix/share/applications"
    mkdir -p "$prefix/config"
    answer=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_HOME="$prefix/share" \
        XDG_DATA_DIRS="$prefix/share" XDG_CONFIG_HOME="$prefix/config" \
        XDG_CONFIG_DIRS="$prefix/config" xdg-mime query default inode/directory)
    [ "$answer" != "pixfold.desktop" ]; check "not the default program for folders" $?
fi

# Software centres read the metainfo beside the desktop entry and icons.
if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --no-net "$prefix" >"$prefix/as.log" 2>&1
    rc=$?
    [ $rc -eq 0 ] || cat "$prefix/as.log"
    check "AppStream metadata validates" $rc
fi

# --help and --version answer without a display; a wrong option is an error.
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
nodisplay "$BUILD/pixfold" --version | grep -qx 'pixfold [0-9][0-9.]*'; check "pixfold --version" $?
nodisplay "$BUILD/pixfold" --help >"$prefix/help.txt"; check "pixfold --help exits 0" $?
nodisplay "$BUILD/pixfold" --no-such-option >/dev/null 2>"$prefix/err.txt"
[ $? -eq 2 ] && grep -q '^Usage: pixfold' "$prefix/err.txt"; check "unknown option: usage, exit 2" $?

# The manual pages format cleanly and name every option the programs list.
for page in pixfold pixfold-batch; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >"$prefix/$page.txt")
    [ -z "$out" ] && [ -s "$prefix/$page.txt" ]; check "man $page formats without warnings" $?
done
"$BUILD/pixfold-batch" --help >"$prefix/batch-help.txt"
for pair in help.txt:pixfold batch-help.txt:pixfold-batch; do
    for opt in $(grep -o -- '--[a-z][a-z-]*' "$prefix/${pair%%:*}" | sort -u); do
        grep -q -- "$opt" "$prefix/${pair#*:}.txt"; check "man ${pair#*:} explains $opt" $?
    done
done

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
