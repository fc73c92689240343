#!/usr/bin/env bash
# zephyrin-render-mpi on two ranks of one thread each beside zephyrin-render
# with one thread: whole commands, 200 M samples at 800 x 600, best of three.
# Usage: bench/mpi_speedup.sh [build folder]
set -euo pipefail
build=${1:-build}
render=$build/src/render/zephyrin-render
render_mpi=$build/src/render/mpi/zephyrin-render-mpi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
drawing=(--formula 70 --seed 1 --size 800x600 --iterations 200000000 --threads 1 --quiet --save-counts)
best() {
  local best=
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    best=$(echo "$end - $start" | bc -l | awk -v b="$best" '{ if (b == "" || $1 < b) print $1; else print b }')
  done
  echo "$best"
}
one=$(best "$render" "${drawing[@]}" "$out/one.tif")
two=$(best mpirun --oversubscribe --allow-run-as-root -np 2 "$render_mpi" "${drawing[@]}" "$out/two.tif")
printf 'one process, one thread: %.2f s\nmpirun -np 2, one thread each: %.2f s\nspeed-up: %.3f\n' \
  "$one" "$two" "$(echo "$one / $two" | bc -l)"
