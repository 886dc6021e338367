#!/usr/bin/env bash
# The Debian package: cpack builds it, it holds what an installation holds, its
# dependencies come from the linked libraries, and the programs in it run.
set -u
BUILD=$1
pass=0
fail=0
check() {
    if [ "$2" -eq 0 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1"; fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1
check "cpack -G DEB" $?
deb=$(ls "$work"/pixfold_*.deb 2>/dev/null | head -1)
[ -n "$deb" ]; check "a .deb is written" $?
[ -n "$deb" ] || { cat "$work/cpack.log"; echo "$pass passed, $fail failed"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/files"
for f in usr/bin/pixfold usr/bin/pixfold-batch usr/share/applications/pixfold.desktop \
         usr/share/metainfo/org.example.pixfold.metainfo.xml usr/share/man/man1/pixfold.1.gz \
         usr/share/man/man1/pixfold-batch.1.gz usr/share/pixfold/pixfold-guide.html \
         usr/share/icons/hicolor/48x48/apps/pixfold.png; do
    grep -qx "$f" "$work/files"; check "package holds $f" $?
done
! grep -Eq 'test|bench|make-sample|make-icons|shots' "$work/files"; check "nothing but the program" $?

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libwxgtk3.2 libjpeg62-turbo libsqlite3; do
    grep -q "$lib" <<<"$depends"; check "depends on $lib" $?
done

dpkg-deb -x "$deb" "$work/root"
env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/pixfold" --version | grep -qx 'pixfold [0-9.]*'
check "pixfold --version runs from the package" $?
"$work/root/usr/bin/pixfold-batch" --version | grep -qx 'pixfold-batch [0-9.]*'
check "pixfold-batch --version runs from the package" $?

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
