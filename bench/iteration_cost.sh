#!/usr/bin/env bash
# The marginal CPU time of one iteration of zephyrin-render on one thread:
# the CPU seconds of a long drawing less those of a short one of the same
# record, over the iterations between them, so that start-up, colouring and
# the PNG drop out. The record is the new window's (formula 70, None and
# Swirl), found and framed from a fixed seed, at each size given. With two
# programs (A/B) the runs alternate, pair by pair, so that both see the
# same load; medians of ROUNDS rounds and their range are printed, and the
# load average at the start and the end.
# Usage: bench/iteration_cost.sh RENDER_A [RENDER_B] [ROUNDS] [SIZES...]
#   e.g. bench/iteration_cost.sh old/zephyrin-render build/src/render/zephyrin-render 7 800x600 1920x1080
set -euo pipefail
a=$1
b=${2:-}
rounds=${3:-5}
shift $(($# < 3 ? $# : 3))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(800x600 1920x1080)
short=10000000
long=60000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/measuring.sh"
# ns per iteration between the short and the long drawing of one program
marginal() {
  local render=$1 record=$2 s l
  s=$(cpu "$render" "$record" --seed 9 --threads 1 --iterations $short --quiet -o "$work/s.png")
  l=$(cpu "$render" "$record" --seed 9 --threads 1 --iterations $long --quiet -o "$work/l.png")
  awk -v s="$s" -v l="$l" -v n=$((long - short)) 'BEGIN { printf "%.2f", (l - s) * 1e9 / n }'
}

echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
for size in "${sizes[@]}"; do
  "$a" --find --seed 3 --size "$size" --iterations 1000 --quiet -o "$work/found-$size.png"
  ta="" tb=""
  for ((r = 0; r < rounds; r++)); do
    ta+="$(marginal "$a" "$work/found-$size.zpr") "
    [ -n "$b" ] && tb+="$(marginal "$b" "$work/found-$size.zpr") "
  done
  line="$size: A $(echo "$ta" | median) ns ($(echo "$ta" | range))"
  if [ -n "$b" ]; then
    ma=$(echo "$ta" | median)
    mb=$(echo "$tb" | median)
    line+=", B $mb ns ($(echo "$tb" | range)), A/B $(awk -v a="$ma" -v b="$mb" 'BEGIN { printf "%.2f", a / b }')"
  fi
  echo "$line"
done
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
