#!/usr/bin/env bash
# A folder named on the command line opens whatever its name's bytes and the
# locale: it heads the recent list byte for byte, and its photo is found (no
# "No files found." box). Runs the real program on the X display it is given.
set -u
PIXFOLD=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0
fail=0
check() {
    if [ "$2" -eq 0 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1"; fi
}

opens() {  # label, locale, folder
    local label=$1 locale=$2 folder=$3 cfg="$work/config-$1"
    mkdir -p "$folder" "$cfg"
    convert -size 40x30 xc:white "$folder/a.jpg"
    PIXFOLD_CONFIG_DIR=$cfg XDG_CACHE_HOME=$work/cache LANG=$locale LC_ALL=$locale "$PIXFOLD" "$folder" 2>/dev/null &
    local pid=$! found=1
    for _ in $(seq 150); do
        if LC_ALL=C grep -qxF "File1=$folder"$'\r' "$cfg/Pixfold.INI" 2>/dev/null; then
            found=0
            break
        fi
        sleep 0.1
    done
    check "$label: the folder heads the recent list" $found
    sleep 1
    # A message box would be a top-level window captioned "Pixfold".
    ! LC_ALL=C.UTF-8 xwininfo -root -children | grep -qE '^ *0x[0-9a-f]+ "Pixfold":'
    check "$label: no message box" $?
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

opens latin1 C.UTF-8 "$work/$(printf 'caf\351')"
opens latin1-c C "$work/$(printf 'd\351j\340')"
opens utf8-c C "$work/été"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
