#!/usr/bin/env bash
# Game speed and idle cost on a real desktop:
#  1. steps per second of the stage (pace 32 ms, 31.25/s) and of the title
#     (pace 30 ms, 33.3/s) for loops that pass every N ms, from the headless
#     runner's traces (10 s of play each);
#  2. the CPU the real SDL backend takes while the title plays for 10 s, on
#     SDL's dummy video driver and, when Xvfb is installed, in a real X window.
# Usage: bench/pacing.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
game="${1:-build}/bin/kurara-tavo"
[ -x "$game" ] || { echo "no $game: build first (make build)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT

printf '300\n100 Enter\n300\n100 Enter\n12000\n' > "$work/stage.keys"

# Steps of scene $2 in the trace $1 between game times $3 and $4 (ms), per second.
rate() {
  awk -v scene="$2" -v from="$3" -v to="$4" -F'[:,]' '
    { tick = $2; sc = $4 }
    sc == scene && tick >= from && tick < to { n++ }
    END { printf "%.2f", n / ((to - from) / 1000) }' "$1"
}

echo "steps per second (target: stage 31.25, title 33.33; one per pass above the pace)"
printf '%8s %8s %8s\n' "pass ms" stage title
for period in 1 5 7 10 13 16 17 20 25 30 32 33 40; do
  "$game" --headless --tick-ms "$period" --script "$work/stage.keys" --trace "$work/stage.jsonl"
  "$game" --headless --tick-ms "$period" --max-ms 11000 --trace "$work/title.jsonl"
  printf '%8s %8s %8s\n' "$period" "$(rate "$work/stage.jsonl" 40 2000 12000)" "$(rate "$work/title.jsonl" 6 1000 11000)"
done

# CPU share of one core over 10 s of the title in a window, after 2 s for
# loading the data (utime + stime from /proc, in clock ticks).
cpu() {
  "$@" &
  local pid=$!
  sleep 2
  local before after
  before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep 10
  after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  kill -TERM "$pid"  # SDL turns it into a quit request
  wait "$pid" || true
  awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f %%", 100 * t / hz / 10 }'
}

echo
echo "CPU of one core while the title plays for 10 s (target with the dummy driver: <= 3 %;"
echo "a busy machine inflates these figures: $(uptime | sed 's/.*load/load/'))"
printf '  dummy video driver: %s\n' \
  "$(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy cpu "$game" --window)"
if command -v Xvfb >/dev/null; then
  Xvfb :97 -screen 0 1366x768x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  printf '  Xvfb window:        %s\n' "$(DISPLAY=:97 SDL_AUDIODRIVER=dummy cpu "$game" --window)"
else
  echo "  Xvfb window:        (Xvfb not installed)"
fi
