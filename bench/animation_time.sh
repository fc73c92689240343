#!/usr/bin/env bash
# A 120-frame 640 x 480 loop at 2 M iterations a frame with its video, as a
# whole zephyrin-render command: the keyframes are the formula 70 attractor
# --find gives with --seed 11 and the same with its first coefficient 0.01
# higher. Prints the load before, the command's time, and the frames ffprobe
# counts in the video (it should say 120).
# Usage: bench/animation_time.sh [build folder]
set -euo pipefail
build=${1:-build}
render=$build/src/render/zephyrin-render
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$render" --find --formula 70 --seed 11 --size 640x480 --iterations 2000000 --density --quiet -o "$out/a.png"
# Line 3 of a parameter file is the first coefficient.
awk 'BEGIN { RS = ORS = "\r\n" } NR == 3 { printf "%.15g\r\n", $1 + 0.01; next } { print }' "$out/a.zpr" > "$out/b.zpr"
mkdir "$out/frames"
echo "load before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
start=$(date +%s.%N)
"$render" --animate "$out/a.zpr" "$out/b.zpr" --frames 120 --loop --smooth --density --size 640x480 \
  --iterations 2000000 --seed 1 --quiet --video "$out/out.mp4" -o "$out/frames/frame-%04d.png"
end=$(date +%s.%N)
printf 'whole command: %.2f s\n' "$(echo "$end - $start" | bc -l)"
echo "frames in the video: $(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=nb_read_frames -of csv=p=0 "$out/out.mp4")"
