#!/usr/bin/env bash
# Every hostile data case through the real program: per case the peak memory
# (maximum resident set) and the time to the message or to a finished start,
# and a summary against the targets (200 MB, 2 s).
#   bench/hostile_data.sh [BUILD_DIR]        (default: build; run `make build` first)
#   bench/hostile_data.sh build | grep -v ' ok '     only what missed a target
set -u
build=${1:-build}
program=$build/bin/kurara-tavo
tool=$build/kthostile
data=$build/bin/data
max_mb=200
max_s=2
for f in "$program" "$tool" /usr/bin/time; do
  [ -x "$f" ] || { echo "hostile_data.sh: $f is missing (make build; apt-get install time)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=0 errors=0 loads=0 crashes=0 hangs=0 wrong=0 over=0 worst_mb=0 worst_s=0
printf '%4s %-8s %-24s %7s %6s  %-7s %s\n' case result file 'peak MB' 's' target 'case / message'
while IFS=$'\t' read -r n group file name expect; do
  dir=$work/$n
  if ! "$tool" --data "$data" --make "$n" --out "$dir" 2>"$work/err"; then
    echo "hostile_data.sh: cannot build case $n: $(cat "$work/err")" >&2
    exit 1
  fi
  timeout -s KILL 10 /usr/bin/time -f '%M %e' -o "$work/time" \
    "$program" --headless --data "$dir" --max-ms 100 >"$work/out" 2>&1
  rc=$?
  cases=$((cases + 1))
  lines=$(wc -l <"$work/out")
  message=$(head -c 300 "$work/out" | head -n 1)
  if [ $rc = 137 ]; then
    result=HANG; hangs=$((hangs + 1)); kb=0; secs=10
  else
    read -r kb secs < <(tail -n 1 "$work/time")
    if [ $rc -ge 128 ] || grep -q 'terminated by signal' "$work/time"; then
      result=CRASH; crashes=$((crashes + 1))
    elif [ $rc = 0 ] && [ "$expect" = loads ] && [ "$lines" = 0 ]; then
      result=load; loads=$((loads + 1)); message=$name
    elif [ $rc = 1 ] && [ "$expect" = refused ] && [ "$lines" = 1 ] &&
         [[ $message == "kurara-tavo: $dir/$file:"* ]]; then
      result=error; errors=$((errors + 1)); message="$name: ${message#"kurara-tavo: $dir/"}"
    else
      result=WRONG; wrong=$((wrong + 1)); message="$name: exit $rc, $lines lines: $message"
    fi
  fi
  mb=$(((kb + 1023) / 1024))
  target=ok
  if [ "$mb" -gt $max_mb ] || awk "BEGIN { exit !($secs > $max_s) }"; then target=MISSED; over=$((over + 1)); fi
  [ "$mb" -gt "$worst_mb" ] && worst_mb=$mb
  awk "BEGIN { exit !($secs > $worst_s) }" && worst_s=$secs
  printf '%4s %-8s %-24s %7s %6s  %-7s %s\n' "$n" "$result" "$file" "$mb" "$secs" "$target" "$message"
  rm -rf "$dir"
done < <("$tool" --data "$data" --list)

echo
echo "cases $cases: clean errors $errors, correct loads $loads, crashes $crashes, hangs $hangs, wrong $wrong"
echo "worst peak memory $worst_mb MB (target $max_mb), worst time $worst_s s (target $max_s), cases over a target: $over"
[ $crashes = 0 ] && [ $hangs = 0 ] && [ $wrong = 0 ] && [ $over = 0 ]
