#!/usr/bin/env bash
# zephyrin-render-mpi on two ranks of one thread each beside zephyrin-render
# with one thread: whole commands, 200 M samples at 800 x 600. The two run in
# turn, pair after pair, so that a change in the machine's load falls on
# both; the medians of the pairs count. Then the fixed cost of a run under
# mpirun: a drawing of a thousand samples each way.
# Usage: bench/mpi_speedup.sh [build folder] [pairs, default 5]
set -euo pipefail
build=${1:-build}
pairs=${2:-5}
render=$build/src/render/zephyrin-render
render_mpi=$build/src/render/mpi/zephyrin-render-mpi
# mpirun as the README has it; root (containers, CI) must say so.
ranks=(mpirun -np 2)
if [ "$(id -u)" -eq 0 ]; then ranks+=(--allow-run-as-root); fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The command's seconds and the drawing's, as its summary line reports them.
seconds() {
  local start end summary
  start=$(date +%s.%N)
  summary=$("$@")
  end=$(date +%s.%N)
  echo "$(echo "$end - $start" | bc -l) $(echo "$summary" | sed -n 's/^[0-9]* iterations, \([0-9.]*\) s,.*/\1/p')"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

# Lines of "one process, its drawing, two ranks, their drawing" seconds, one
# line a pair; every other pair starts with the ranks, so that neither side
# always runs second.
measure() {
  local pair one two
  for pair in $(seq "$pairs"); do
    if ((pair % 2)); then
      one=$(seconds "$render" "$@" "$out/one.tif")
      two=$(seconds "${ranks[@]}" "$render_mpi" "$@" "$out/two.tif")
    else
      two=$(seconds "${ranks[@]}" "$render_mpi" "$@" "$out/two.tif")
      one=$(seconds "$render" "$@" "$out/one.tif")
    fi
    echo "$one $two"
  done
}
medians() {
  one=$(cut -d' ' -f1 "$1" | median)
  two=$(cut -d' ' -f3 "$1" | median)
}

echo "load average before: $(load)"
drawing=(--formula 70 --seed 1 --size 800x600 --threads 1 --save-counts)
measure --iterations 200000000 "${drawing[@]}" >"$out/whole"
medians "$out/whole"
ratios=$(awk '{ print $1 / $3 }' "$out/whole" | sort -g)
printf '200 M samples: one process %.3f s, mpirun -np 2 %.3f s, speed-up %.3f (median of %d pairs; %.3f to %.3f)\n' \
  "$one" "$two" "$(echo "$ratios" | median)" "$pairs" "$(echo "$ratios" | head -1)" "$(echo "$ratios" | tail -1)"
printf '  the drawings as the summaries report them (rank 0: its own and the adding up): speed-up %.3f\n' \
  "$(awk '{ print $2 / $4 }' "$out/whole" | median)"
printf '  the rest (start, waiting for the slower rank, writing, mpirun): one process %.3f s, two ranks %.3f s\n' \
  "$(awk '{ print $1 - $2 }' "$out/whole" | median)" "$(awk '{ print $3 - $4 }' "$out/whole" | median)"
measure --iterations 1000 "${drawing[@]}" >"$out/fixed"
medians "$out/fixed"
printf '1000 samples: one process %.3f s, mpirun -np 2 %.3f s (median of %d pairs)\n' "$one" "$two" "$pairs"
echo "load average after: $(load)"
