#!/usr/bin/env bash
# pixfold-batch as a user runs it: commands, output formats, exit statuses.
set -u
BATCH=$1
IMAGES=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PIXFOLD_CONFIG_DIR=$work/config
export XDG_CACHE_HOME=$work/cache
pass=0
fail=0
check() {  # description, command status
    if [ "$2" -eq 0 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1"; fi
}

# Said once, here: the checks below would fail without naming the file.
for f in baseline-ycc422-640x480.jpg grayscale-227x149.jpg size-17x17-ycc420.jpg empty-0-bytes.jpg; do
    if [ ! -f "$IMAGES/$f" ]; then echo "test image missing: $IMAGES/$f"; exit 1; fi
done

"$BATCH" --help >"$work/help.txt"; check "--help exits 0" $?
grep -q "pixfold-batch details FOLDER" "$work/help.txt"; check "--help names details" $?
"$BATCH" --version | grep -qx 'pixfold-batch [0-9][0-9.]*'; check "--version" $?
"$BATCH" >/dev/null 2>&1; [ $? -eq 2 ]; check "no command exits 2" $?
"$BATCH" details >/dev/null 2>&1; [ $? -eq 2 ]; check "details without folder exits 2" $?
"$BATCH" details "$IMAGES" --sort sideways >/dev/null 2>&1; [ $? -eq 2 ]; check "bad sort exits 2" $?
"$BATCH" details "$work/missing" >/dev/null 2>"$work/err"; [ $? -eq 2 ]; check "missing folder exits 2" $?
grep -q "cannot read folder" "$work/err"; check "missing folder says so" $?

# A clean folder: exit 0, CR LF lines, sorted by name.
mkdir -p "$work/good"
cp "$IMAGES/baseline-ycc422-640x480.jpg" "$work/good/b.jpg"
cp "$IMAGES/grayscale-227x149.jpg" "$work/good/a.JPG"
cp "$IMAGES/size-17x17-ycc420.jpg" "$work/good/c.jpeg"
"$BATCH" details "$work/good" --sort name >"$work/d.txt" 2>"$work/err"; check "clean folder exits 0" $?
[ ! -s "$work/err" ]; check "clean folder prints no message" $?
[ "$(wc -l <"$work/d.txt")" -eq 3 ]; check "three lines" $?
[ "$(grep -c $'\r$' "$work/d.txt")" -eq 3 ]; check "lines end in CR LF" $?
head -1 "$work/d.txt" | grep -q $'^a\t4333\t.*\t100 x 65\r$'; check "first line a, size, dims" $?
"$BATCH" details "$work/good" --sort size --descending | head -1 | grep -q $'^b\t21019'; check "size descending" $?
"$BATCH" details "$work/good" --pitch 53 --sort name | head -1 | grep -q $'\t50 x 33\r$'; check "pitch 53" $?

# Thumbnails as PPM files named by index.
# The options a script asks for: number order, upright thumbnails, dates taken.
mkdir -p "$work/opts"
cp "$IMAGES/size-1x1-ycc420.jpg" "$work/opts/img10.jpg"
cp "$IMAGES/size-1x1-ycc420.jpg" "$work/opts/img2.jpg"
cp "$IMAGES/exif-orientation-6-1200x1800.jpg" "$work/opts/six.jpg"
"$BATCH" details "$work/opts" --sort name | cut -f1 | tr -d '\r' | paste -sd' ' | grep -qx 'img10 img2 six'; check "plain name order" $?
"$BATCH" details "$work/opts" --sort name --natural | cut -f1 | tr -d '\r' | paste -sd' ' | grep -qx 'img2 img10 six'; check "--natural" $?
"$BATCH" details "$work/opts" --sort name | grep -q $'^six\t.*\t66 x 100\r$'; check "unturned by default" $?
"$BATCH" details "$work/opts" --sort name --upright | grep -q $'^six\t.*\t100 x 66\r$'; check "--upright" $?
"$BATCH" details "$work/opts" --date-taken | grep -q $'^img2\t.*\*\t'; check "--date-taken marks a file time" $?

"$BATCH" thumbs "$work/good" --out "$work/ppm" --sort name >"$work/t.txt"; check "thumbs exits 0" $?
head -1 "$work/t.txt" | grep -q $'^0\ta.JPG\t100 x 65$'; check "thumbs line" $?
[ "$(head -c 2 "$work/ppm/0000.ppm")" = "P6" ]; check "0000.ppm is P6" $?
[ -f "$work/ppm/0002.ppm" ]; check "0002.ppm written" $?
head -c 20 "$work/ppm/0001.ppm" | grep -q "100 75"; check "ppm size" $?
"$BATCH" thumbs "$work/good" >/dev/null 2>&1; [ $? -eq 2 ]; check "thumbs without --out exits 2" $?

# Bad files: one message per box on stderr, exit 1, the scan goes on.
"$BATCH" details "$IMAGES" --sort name >"$work/all.txt" 2>"$work/err"; [ $? -eq 1 ]; check "test images exit 1" $?
grep -qx "$IMAGES/empty-0-bytes.jpg: Empty input file" "$work/err"; check "empty file message names the file" $?
grep -qx "$IMAGES/.*: JPEG Error" "$work/err"; check "JPEG Error message names the file" $?
"$BATCH" thumbs "$IMAGES" --out "$work/allppm" >"$work/t.txt" 2>/dev/null; [ $? -eq 1 ]; check "thumbs of the test images exit 1" $?
n=$(grep -n $'\tsize-1x1000-grayscale.jpg\t' "$work/t.txt" | cut -d: -f1)
[ "$(head -c 8 "$work/allppm/$(printf %04d $((n - 1))).ppm")" = $'P6\n0 100' ]; check "a thumbnail 0 pixels wide" $?
[ "$(wc -l <"$work/all.txt")" -eq "$(ls "$IMAGES"/*.jpg | wc -l)" ]; check "every file has a line" $?

# The thumbnail cache: a second scan gives the same thumbnails and messages.
"$BATCH" cache clear; check "cache clear exits 0" $?
"$BATCH" thumbs "$IMAGES" --out "$work/c1" --sort name >"$work/c1.txt" 2>"$work/c1.err"
"$BATCH" cache stats | grep -qx $'entries\t[1-9][0-9]*'; check "a scan fills the cache" $?
"$BATCH" cache stats | grep -qxF "file"$'\t'"$work/cache/pixfold/thumbnails.db"; check "the cache is under XDG_CACHE_HOME" $?
"$BATCH" thumbs "$IMAGES" --out "$work/c2" --sort name >"$work/c2.txt" 2>"$work/c2.err"
cmp -s "$work/c1.txt" "$work/c2.txt" && cmp -s "$work/c1.err" "$work/c2.err" && diff -r "$work/c1" "$work/c2" >/dev/null
check "from the cache: the same thumbnails and messages" $?
"$BATCH" cache clear && "$BATCH" details "$work/good" --no-cache >/dev/null && "$BATCH" cache stats | grep -qx $'entries\t0'
check "--no-cache leaves the cache alone" $?
"$BATCH" cache sideways >/dev/null 2>&1; [ $? -eq 2 ]; check "cache needs stats or clear" $?

# Empty folder: "No files found." and exit 1.
mkdir -p "$work/empty"
"$BATCH" details "$work/empty" >/dev/null 2>"$work/err"; [ $? -eq 1 ]; check "empty folder exits 1" $?
grep -qx "No files found." "$work/err"; check "No files found." $?

# Settings: first start migrates Pixfold.INI, later starts do not.
mkdir -p "$PIXFOLD_CONFIG_DIR"
printf '[Settings]\r\nPitch=150\r\n[Screen]\r\nx=7\r\n' >"$PIXFOLD_CONFIG_DIR/Pixfold.INI"
[ "$("$BATCH" settings get --int 103 Settings Pitch)" = "150" ]; check "migrated Pitch" $?
printf '[Settings]\r\nPitch=999\r\n' >"$PIXFOLD_CONFIG_DIR/Pixfold.INI"
[ "$("$BATCH" settings get --int 103 Settings Pitch)" = "150" ]; check "no second migration" $?
"$BATCH" settings set Settings SlideTime "2 s"; check "set exits 0" $?
[ "$("$BATCH" settings get Settings slidetime)" = "2 s" ]; check "get is case-insensitive" $?
[ "$("$BATCH" settings get --int 5 Settings SlideTime)" = "2" ]; check "get --int parses" $?
[ "$("$BATCH" settings get --int 5 Settings Missing)" = "5" ]; check "get --int default" $?
"$BATCH" settings list >"$work/list.txt"; check "list exits 0" $?
# Settings the program uses answer with their defaults and keep their ranges.
[ "$("$BATCH" settings get Settings RowCount)" = "5" ]; check "get answers a known default" $?
"$BATCH" settings list --known >"$work/known.txt"; check "list --known exits 0" $?
grep -qx "$(printf 'Settings\tShowFileName\t1\t(default)')" "$work/known.txt"; check "list --known marks defaults" $?
grep -qx "$(printf 'Settings\tSlideTime\t2 s')" "$work/known.txt"; check "list --known shows stored values" $?
"$BATCH" settings set Settings MRU 17 2>/dev/null; [ $? -eq 2 ]; check "set refuses a count out of range" $?
"$BATCH" settings set Settings Pitch big 2>/dev/null; [ $? -eq 2 ]; check "set refuses a word for a number" $?
grep -q $'^Screen\tx\tREG_SZ\t7$' "$work/list.txt"; check "list shows Screen x" $?
grep -q $'^Settings\tSlideTime\tREG_SZ\t2 s$' "$work/list.txt"; check "list shows SlideTime" $?
"$BATCH" settings get >/dev/null 2>&1; [ $? -eq 2 ]; check "bad settings command exits 2" $?
touch "$work/blocker"
PIXFOLD_CONFIG_DIR=$work/blocker/cfg "$BATCH" settings set S N V 2>/dev/null; [ $? -eq 1 ]; check "unwritable store exits 1" $?

# A damaged store: a read says so and leaves it be; a write sets it aside and says where.
mkdir -p "$work/cfg-bad"
head -c 4096 /dev/zero | tr '\0' J >"$work/cfg-bad/registry.db"
cp "$work/cfg-bad/registry.db" "$work/junk.db"
out=$(PIXFOLD_CONFIG_DIR=$work/cfg-bad "$BATCH" settings get --int 7 Settings Pitch 2>"$work/err"); [ $? -eq 1 ] && [ "$out" = 7 ]; check "damaged store: default, exit 1" $?
grep -q "damaged" "$work/err" && cmp -s "$work/cfg-bad/registry.db" "$work/junk.db"; check "a read tells and keeps the damaged store" $?
PIXFOLD_CONFIG_DIR=$work/cfg-bad "$BATCH" settings set Settings Pitch 9 2>"$work/err"; [ $? -eq 1 ]; check "a write over a damaged store exits 1" $?
kept=$(ls "$work"/cfg-bad/registry.db.damaged-*) && cmp -s "$kept" "$work/junk.db" && grep -qF "$kept" "$work/err"; check "the damaged copy is kept and named" $?
[ "$(PIXFOLD_CONFIG_DIR=$work/cfg-bad "$BATCH" settings get --int 7 Settings Pitch)" = 9 ]; check "the fresh store holds the write" $?

# Publishing: thumbnails and a linked page, messages as for the other commands.
"$BATCH" publish "$work/good" --thumb-folder "$work/web" --size 50 --naming prepend \
    --page "$work/web/index.htm" --link --table 2 --sort name 2>"$work/err"; check "publish exits 0" $?
[ -f "$work/web/tn_a.JPG" ] && [ -f "$work/web/tn_b.jpg" ] && [ -f "$work/web/tn_c.jpeg" ]; check "thumbnails written" $?
grep -q $'<a href="file://'"$work"'/good/a.JPG"><img src="tn_a.JPG" alt="tn_a.JPG" border="1" width="50" height="33">' "$work/web/index.htm"; check "page: file URL to the image, thumbnail beside it, its written size" $?
[ "$(grep -c $'\r$' "$work/web/index.htm")" -eq "$(wc -l <"$work/web/index.htm")" ]; check "page lines end in CR LF" $?
[ "$(grep -c '<tr>' "$work/web/index.htm")" -eq 2 ]; check "two table rows" $?
"$BATCH" publish "$work/good" >/dev/null 2>&1; [ $? -eq 2 ]; check "publish without --thumb-folder exits 2" $?
"$BATCH" publish "$work/good" --thumb-folder "$work/good" --naming original 2>"$work/err"; [ $? -eq 2 ]; check "original names into the images' folder need --yes" $?
grep -q -- "--yes" "$work/err"; check "the refusal says --yes" $?
[ "$(head -c 20 "$work/good/b.jpg" | wc -c)" -eq 20 ] && cmp -s "$work/good/b.jpg" "$IMAGES/baseline-ycc422-640x480.jpg"; check "images untouched without --yes" $?
"$BATCH" publish "$work/good" --thumb-folder "$work/web2" --page "$work/nowhere/x.htm" 2>"$work/err"; [ $? -eq 1 ]; check "unwritable page exits 1" $?
grep -q "Could not write the HTML page" "$work/err"; check "page failure is reported" $?
[ -f "$work/web2/a_tn.JPG" ]; check "thumbnails stay when the page fails" $?

"$BATCH" publish "$work/good" --thumb-folder "$work/web3" --pitch 4 >/dev/null 2>"$work/err"; [ $? -eq 2 ]; check "a size from --pitch outside 10..5000 is refused" $?
grep -q -- "--size" "$work/err" && [ ! -e "$work/web3/a_tn.JPG" ]; check "and nothing is written" $?
for cmd in details thumbs publish "settings get" "settings"; do
    $BATCH $cmd --help >"$work/help.txt" 2>/dev/null && grep -q "^Usage:" "$work/help.txt"; check "$cmd --help" $?
done

# Names with control bytes stay on their line, escaped as --help says.
mkdir -p "$work/odd"
cp "$IMAGES/size-17x17-ycc420.jpg" "$work/odd/"$'new\nline.jpg'
cp "$IMAGES/size-17x17-ycc420.jpg" "$work/odd/"$'esc\e[31m\\.jpg'
"$BATCH" details "$work/odd" --sort name >"$work/d.txt"; check "odd names exit 0" $?
[ "$(wc -l <"$work/d.txt")" -eq 2 ]; check "one line per image" $?
grep -qF 'esc\x1b[31m\\'$'\t' "$work/d.txt" && grep -qF 'new\x0aline'$'\t' "$work/d.txt"; check "details escapes control bytes" $?
"$BATCH" thumbs "$work/odd" --out "$work/oddppm" --sort name >"$work/t.txt"; check "thumbs of odd names" $?
grep -qF $'1\tnew\\x0aline.jpg\t' "$work/t.txt" && [ "$(wc -l <"$work/t.txt")" -eq 2 ]; check "thumbs escapes control bytes" $?
cp "$IMAGES/size-17x17-ycc420.jpg" "$work/odd/"$'caf\xe9.jpg'
script -qec "$BATCH details $work/odd --sort name" /dev/null >"$work/tty.txt"
grep -qF 'caf\xe9' "$work/tty.txt"; check "a terminal gets no raw bytes that are not UTF-8" $?
"$BATCH" details "$work/odd" --sort name | grep -q $'^caf\xe9\t'; check "a pipe gets the name's bytes" $?

# An unreadable folder is reported once.
if [ "$(id -u)" = 0 ]; then asuser="setpriv --reuid=65534 --regid=65534 --clear-groups"; else asuser=""; fi
chmod 711 "$work"
mkdir -p "$work/locked"
chmod 000 "$work/locked"
$asuser "$BATCH" details "$work/locked" >/dev/null 2>"$work/err"; [ $? -eq 2 ]; check "unreadable folder exits 2" $?
[ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "cannot read folder" "$work/err"; check "and says so once" $?

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
