#!/bin/sh
# Builds the Debian package and checks it as a player's machine sees it: its
# fields and files; unpacked into a temporary root (a moved prefix); and, as
# root, installed with dpkg, run, validated and removed again.
#   tools/check_package.sh [BUILD]     (default build folder: build)
# As root this installs and then removes the package kurara-tavo system-wide.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}

fail() {
  echo "check_package: $*" >&2
  exit 1
}

make package BUILD="$build" JOBS="${JOBS:-2}"

version=$(sed -n 's/^project(KuraraTavo VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
deb=$build/kurara-tavo_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "$deb was not built"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kurara-tavo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
field Depends | grep -q 'libsdl2-2\.0-0' || fail "Depends does not name the SDL2 runtime: $(field Depends)"
field Depends | grep -q 'libenet' || fail "Depends does not name the ENet runtime (online play): $(field Depends)"
field Depends | grep -q 'libpng' && fail "Depends names libpng, which only the build tools use"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/root"
sh tools/check_install.sh "$tmp/root/usr" --only

if [ "$(id -u)" = 0 ]; then
  dpkg -i "$deb"
  status=0
  sh tools/check_install.sh /usr || status=$?
  dpkg -r kurara-tavo
  [ "$status" = 0 ] || fail "the installed package failed its checks"
  [ ! -e /usr/bin/kurara-tavo ] || fail "removing the package left /usr/bin/kurara-tavo"
  [ ! -e /usr/share/kurara-tavo ] || fail "removing the package left /usr/share/kurara-tavo"
else
  echo "check_package: not root: checked the unpacked package only"
fi
echo "check_package: $deb is good"
