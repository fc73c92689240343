#!/usr/bin/env bash
# A density window's drawing rate beside the renderer's on the same record:
# a found record (formula 70 from seed 3, framed at SIZE, density colouring)
# drawn by a window of density_cores for SECONDS, which then draws it again
# as zephyrin-render draws, in the same process (the in-process ratio); and
# by zephyrin-render itself on as many threads, its rate taken between a
# long and a short drawing so that start-up, colouring and the PNG drop out
# (the between-process ratio). All are iterations per CPU second of the
# whole process; the window and the renderer run in turn, round by round.
# Prints each round and the medians of the ratios with their ranges.
# Usage: bench/window_vs_render.sh [BUILD_DIR] [ROUNDS] [SECONDS] [SIZE]
set -euo pipefail
build=${1:-build}
rounds=${2:-7}
seconds=${3:-4}
size=${4:-400x300}
cores="$build/bench/density_cores"
render="$build/src/render/zephyrin-render"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/measuring.sh"

echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
"$render" --find --seed 3 --size "$size" --density --iterations 1000 --quiet -o "$work/found.png"
inside="" between=""
for ((r = 1; r <= rounds; r++)); do
  "$cores" "$seconds" "$work/record.zpr" "$work/found.zpr" >"$work/window.txt" 2>/dev/null
  threads=$(sed -n 's/^drawing threads \([0-9]*\),.*/\1/p' "$work/window.txt")
  window=$(sed -n 's/^[0-9]* x [0-9]*: \([0-9.]*\) M iterations per CPU second.*/\1/p' "$work/window.txt")
  alone=$(sed -n 's/^drawn as zephyrin-render draws: \([0-9.]*\) M.*/\1/p' "$work/window.txt")
  # As many iterations as the window drew in its measured time, and a tenth.
  long=$(awk -v rate="$window" -v s="$seconds" 'BEGIN { printf "%d", rate * 1e6 * s }')
  short=$((long / 10))
  options=(--threads "$threads" --seed 9 --quiet)
  s=$(cpu "$render" "$work/found.zpr" "${options[@]}" --iterations "$short" -o "$work/s.png")
  l=$(cpu "$render" "$work/found.zpr" "${options[@]}" --iterations "$long" -o "$work/l.png")
  renderer=$(awk -v s="$s" -v l="$l" -v n=$((long - short)) 'BEGIN { printf "%.1f", n / (l - s) / 1e6 }')
  inside+="$(awk -v w="$window" -v a="$alone" 'BEGIN { printf "%.3f", w / a }') "
  between+="$(awk -v w="$window" -v r="$renderer" 'BEGIN { printf "%.3f", w / r }') "
  echo "round $r, $size, $threads threads: window $window M/s, in-process drawing $alone M/s, zephyrin-render $renderer M/s"
done
echo "window / in-process drawing: $(echo "$inside" | median) ($(echo "$inside" | range));" \
  "window / zephyrin-render: $(echo "$between" | median) ($(echo "$between" | range)), $rounds rounds"
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
