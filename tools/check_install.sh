#!/bin/sh
# Checks an installed game: every file in its place, the program runs
# headless from an unrelated folder and finds its data, and the desktop entry,
# metadata and manual page are valid.
#   tools/check_install.sh PREFIX [--only]
# --only: PREFIX holds this game and nothing else (a prefix of its own, an
# unpacked package), so any file not in the list is an error too.
set -eu

prefix=${1:?usage: check_install.sh PREFIX [--only]}
only=${2:-}
id=io.github.kuraratavo.KuraraTavo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "check_install: $*" >&2
  exit 1
}

expected="bin/kurara-tavo
share/applications/$id.desktop
share/doc/kurara-tavo/README.md
share/doc/kurara-tavo/copyright
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/man/man6/kurara-tavo.6.gz
share/metainfo/$id.metainfo.xml"
meta=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$meta" ] || fail "missing $meta"
# Screenshots named by file name are installed beside the metadata; those at a
# web address are not installed.
shots=$(sed -n 's|.*<image[^>]*>\([^<]*\)</image>.*|\1|p' "$meta")
[ -n "$shots" ] || fail "the metadata shows no screenshot"
for shot in $shots; do
  case $shot in
    *://*) ;;
    *) expected="$expected
share/metainfo/$shot" ;;
  esac
done

# ---- files -----------------------------------------------------------------
for f in $expected; do
  [ -f "$prefix/$f" ] || fail "missing $prefix/$f"
done
[ -x "$prefix/bin/kurara-tavo" ] || fail "$prefix/bin/kurara-tavo is not executable"
data=$prefix/share/kurara-tavo
count() { find "$data/$1" -maxdepth 1 -type f -name "*.$2" | wc -l; }
[ "$(count bmp bmp)" -eq 14 ] || fail "$data/bmp: expected 14 pictures, found $(count bmp bmp)"
[ "$(count sound wav)" -eq 27 ] || fail "$data/sound: expected 27 sounds, found $(count sound wav)"
[ "$(count map dat)" -eq 6 ] || fail "$data/map: expected 6 map files, found $(count map dat)"
for tool in ktgen kt_tests kt_bench; do
  [ ! -e "$prefix/bin/$tool" ] || fail "$prefix/bin/$tool: a build tool was installed"
done
if [ "$only" = --only ]; then
  # Everything outside the data folder must be in the list; inside it only the three folders' files.
  (cd "$prefix" && find . -type f | sed 's|^\./||' | grep -v '^share/kurara-tavo/' | sort) >"$work/found"
  printf '%s\n' "$expected" | sort >"$work/wanted"
  diff "$work/wanted" "$work/found" >&2 || fail "$prefix: the installed files differ from the list (< missing, > extra)"
  extra=$(cd "$data" && find . -type f | grep -v -E '^\./(bmp/[^/]+\.bmp|sound/[^/]+\.wav|map/[^/]+\.dat)$' || true)
  [ -z "$extra" ] || fail "$data: unexpected files: $extra"
fi

# Fails unless FILE is a PNG of WxH pixels.
png_of_size() {
  [ "$(od -An -c -j1 -N3 "$1" | tr -d ' ')" = PNG ] || fail "$1 is not a PNG"
  got=$(od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$got" = "$2" ] || fail "$1 is $got pixels, not $2"
}
for size in 32 64 128 256; do
  png_of_size "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" "${size}x${size}"
done
for shot in $shots; do
  case $shot in
    *://*) ;;
    *) png_of_size "$prefix/share/metainfo/$shot" 640x480 ;;
  esac
done

# ---- the program ---------------------------------------------------------
version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$meta" | head -n 1)
[ "$("$prefix/bin/kurara-tavo" --version)" = "kurara-tavo $version" ] ||
  fail "--version says '$("$prefix/bin/kurara-tavo" --version)', the metadata's release is $version"
# The title for 3 s, from a folder that has nothing to do with the game.
(cd "$work" && "$prefix/bin/kurara-tavo" --headless --max-ms 3000 --screenshot title.bmp) ||
  fail "the installed program failed to run headless"
[ "$(head -c 2 "$work/title.bmp")" = BM ] || fail "the headless run wrote no screenshot"
[ "$(tail -c +55 "$work/title.bmp" | tr -d '\000' | head -c 1 | wc -c)" -eq 1 ] ||
  fail "the headless run's screenshot is all black"

# ---- desktop entry, metadata, manual page -------------------------------
out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) || fail "desktop entry: $out"
[ -z "$out" ] || fail "desktop entry: $out"

# AppStream wants screenshots at web addresses. Unless a build was given one,
# ours are the files installed beside the metadata, named by file name: that
# complaint, for exactly those names, is the one finding allowed.
out=$(appstreamcli validate --no-net "$meta" 2>&1) || true
findings=$(printf '%s\n' "$out" | grep -E '^[EWI]: ' |
  grep -v -E "^E: $id:[0-9]+: web-url-expected $id-[a-z]+\.png\$" || true)
[ -z "$findings" ] || fail "metadata: $findings"

page=$prefix/share/man/man6/kurara-tavo.6.gz
gzip -t "$page" || fail "$page is not a gzip file"
gzip -dc "$page" | grep -q '^\.TH KURARA-TAVO 6 ' || fail "$page is not the game's manual page"
if command -v man >/dev/null 2>&1; then
  man --warnings -l "$page" >/dev/null 2>"$work/man.err" || fail "man cannot show $page"
  [ ! -s "$work/man.err" ] || fail "$page: $(cat "$work/man.err")"
fi

echo "check_install: $prefix: the installed game is complete, runs and validates"
