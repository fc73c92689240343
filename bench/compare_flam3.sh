#!/usr/bin/env bash
# zephyrin-render beside flam3-render (Debian's flam3-utils, a peer
# renderer), side by side in one run: the new window's record (formula 70,
# None and Swirl, found and framed from a fixed seed) at 800 x 600 with 20
# million samples, against a three-map IFS with one variation (swirl) at
# the same size and sample count (quality = samples per pixel). Each round
# runs both, one thread and two, in turn; the medians of ROUNDS rounds and
# their spread are printed with the ratios of iterations per second.
# Usage: bench/compare_flam3.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=${1:-build}
rounds=${2:-5}
render="$build/src/render/zephyrin-render"
[ -x "$render" ] || { echo "no $render: build first" >&2; exit 1; }
if ! command -v flam3-render >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq flam3-utils >/dev/null ||
    { "${sudo_cmd[@]}" apt-get update -qq && "${sudo_cmd[@]}" apt-get install -y -qq flam3-utils >/dev/null; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
samples=20000000
width=800
height=600
quality=$(awk -v s=$samples -v w=$width -v h=$height 'BEGIN { printf "%.6f", s / (w * h) }')
cat > "$work/ifs.flam3" <<GENOME
<flame name="ifs" size="$width $height" center="0 0" scale="150" quality="$quality" supersample="1"
       oversample="1" filter="0.5" brightness="4" gamma="4" background="0 0 0">
   <xform weight="0.333" color="0" swirl="1" coefs="0.5 0 0 0.5 -0.5 -0.5"/>
   <xform weight="0.333" color="0.5" swirl="1" coefs="0.5 0 0 0.5 0.5 -0.5"/>
   <xform weight="0.334" color="1" swirl="1" coefs="0.5 0 0 0.5 0 0.5"/>
   <color index="0" rgb="255 255 255"/>
   <color index="255" rgb="255 255 255"/>
</flame>
GENOME
# The record once, found and framed; every round draws it again.
"$render" --find --seed 3 --size ${width}x${height} --iterations 1000 --quiet -o "$work/found.png"

seconds() {  # wall-clock seconds of a command
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }'
}

declare -A times
for ((r = 0; r < rounds; r++)); do
  for t in 1 2; do
    times[z$t]+="$(seconds "$render" "$work/found.zpr" --seed 9 --threads $t --iterations $samples --quiet -o "$work/z.png") "
    times[f$t]+="$(seconds env nthreads=$t in="$work/ifs.flam3" out="$work/f.png" flam3-render) "
  done
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
spread() { tr ' ' '\n' | grep . | sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s-%s", lo, hi }'; }
echo "samples: $samples at ${width}x${height}; $rounds rounds; wall-clock seconds, median (range)"
for t in 1 2; do
  zm=$(echo "${times[z$t]}" | median)
  fm=$(echo "${times[f$t]}" | median)
  printf "%d thread(s): zephyrin-render %s s (%s), %.1f M/s; flam3-render %s s (%s), %.1f M/s; ratio %.2f\n" \
    $t "$zm" "$(echo "${times[z$t]}" | spread)" "$(awk -v s=$samples -v x="$zm" 'BEGIN { print s / x / 1e6 }')" \
    "$fm" "$(echo "${times[f$t]}" | spread)" "$(awk -v s=$samples -v x="$fm" 'BEGIN { print s / x / 1e6 }')" \
    "$(awk -v a="$fm" -v b="$zm" 'BEGIN { print a / b }')"
done
z1=$(echo "${times[z1]}" | median)
z2=$(echo "${times[z2]}" | median)
printf "zephyrin-render, two threads over one: %.2f\n" "$(awk -v a="$z1" -v b="$z2" 'BEGIN { print a / b }')"
