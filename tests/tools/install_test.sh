#!/bin/sh
# `cmake --install` into a prefix of its own, then the prefix moved elsewhere:
# the installed game must be complete, valid and still find its data.
#   install_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -eu
cmake=$1 build=$2 source=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$cmake" --install "$build" --prefix "$tmp/prefix" >/dev/null
mv "$tmp/prefix" "$tmp/moved"
sh "$source/tools/check_install.sh" "$tmp/moved" --only
