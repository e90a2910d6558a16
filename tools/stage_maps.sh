#!/bin/sh
# Rewrites the six map files the game loads (data/map/map11.dat .. map16.dat)
# from the readable layout data/map/stage.txt: '#' is a solid cell (1), any
# other character an open one (0); lines starting with ';' are notes.
set -eu
dir=$(cd "$(dirname "$0")/../data/map" && pwd)

band() {  # file first-column last-column
  awk -v first="$2" -v last="$3" '
    /^;/ { next }
    {
      if (length($0) != 301) { print "stage.txt: row " n " has " length($0) " cells, not 301" > "/dev/stderr"; exit 1 }
      line = ""
      for (c = first; c <= last; ++c) line = line (c > first ? "," : "") (substr($0, c + 1, 1) == "#" ? 1 : 0)
      print line
      if (++n == 32) exit
    }
    END { if (n != 32) { print "stage.txt: " n " rows, not 32" > "/dev/stderr"; exit 1 } }
  ' "$dir/stage.txt" > "$dir/$1.tmp"
  mv "$dir/$1.tmp" "$dir/$1"
}

band map11.dat 0 50
band map12.dat 51 100
band map13.dat 101 150
band map14.dat 151 200
band map15.dat 201 250
band map16.dat 251 300
