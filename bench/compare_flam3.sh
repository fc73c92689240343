#!/usr/bin/env bash
# zephyrin-render beside flam3-render (Debian's flam3-utils, a peer
# renderer), each drawing a picture that fills the frame: a found record
# (formula 70 from seed 3, framed by --find for each size) against a
# four-map IFS with one variation (swirl), whose attractor is symmetric
# about the origin and is scaled to fill the same frame from a small trial
# render. Sizes 400x300, 800x600 and 1920x1080, SAMPLES samples (20 M and
# 200 M by default), 1 and 2 threads; flam3 without density estimation,
# oversample 1, as few filters as it allows.
#
# How each side counts a sample: zephyrin-render's --iterations N makes N
# iterations of the orbit, each of which plots one hit per variation of the
# record (this record has None and Swirl: two hits an iteration). flam3's
# quality is samples per pixel: quality x width x height iterations of its
# chaos game, each plotted once. Both sides here make SAMPLES iterations.
#
# Each round runs both, in turn, for every case; the medians of ROUNDS
# rounds and their ranges are printed, in CPU seconds (user + system, all
# threads) and wall seconds, with the ratios of samples per second
# (zephyrin over flam3) and the range of the round-by-round ratios.
# Usage: bench/compare_flam3.sh [BUILD_DIR] [ROUNDS] [SAMPLES...]
set -euo pipefail
build=${1:-build}
rounds=${2:-3}
shift $(($# > 2 ? 2 : $#))
samples_list=("$@")
[ ${#samples_list[@]} -eq 0 ] && samples_list=(20000000 200000000)
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

genome() {  # genome WIDTH HEIGHT SCALE QUALITY
  cat <<GENOME
<flame name="ifs" size="$1 $2" center="0 0" scale="$3" quality="$4" supersample="1" oversample="1"
       filter="0.2" estimator_radius="0" brightness="4" gamma="4" background="0 0 0">
   <xform weight="0.25" color="0" swirl="1" coefs="0.5 0 0 0.5 -0.5 -0.5"/>
   <xform weight="0.25" color="0.33" swirl="1" coefs="0.5 0 0 0.5 0.5 -0.5"/>
   <xform weight="0.25" color="0.66" swirl="1" coefs="0.5 0 0 0.5 -0.5 0.5"/>
   <xform weight="0.25" color="1" swirl="1" coefs="0.5 0 0 0.5 0.5 0.5"/>
   <color index="0" rgb="255 255 255"/>
   <color index="255" rgb="255 255 255"/>
</flame>
GENOME
}

# The largest distances from the centre, in pixels, of the lit pixels of a
# PNG (8-bit RGB, as flam3-render writes it), past the outermost 0.2 %.
extent() {
  python3 - "$1" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
pos, idat = 8, b''
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    pos += 12 + n
    if kind == b'IHDR':
        w, h, depth, ctype = struct.unpack('>IIBB', body[:10])
    elif kind == b'IDAT':
        idat += body
raw = zlib.decompress(idat)
bpp = {2: 3, 6: 4}[ctype] * depth // 8
stride = w * bpp
prev, p, xs, ys = bytearray(stride), 0, [], []
for y in range(h):
    f, line = raw[p], bytearray(raw[p + 1:p + 1 + stride])
    p += 1 + stride
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b, c = prev[i], prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    for x in range(w):
        if any(line[x * bpp:x * bpp + 3]):
            xs.append(abs(x + 0.5 - w / 2)); ys.append(abs(y + 0.5 - h / 2))
    prev = line
xs.sort(); ys.sort()
k = int(0.998 * (len(xs) - 1))
print(xs[k], ys[k])
PY
}

# The scale (pixels per unit) that fills a WIDTH x HEIGHT frame, from a
# trial at 200 x 200 and 40 pixels per unit.
fill_scale() {
  genome 200 200 40 20 > "$work/trial.flam3"
  env in="$work/trial.flam3" out="$work/trial.png" flam3-render >/dev/null 2>&1
  read -r ex ey < <(extent "$work/trial.png")
  awk -v w="$1" -v h="$2" -v ex="$ex" -v ey="$ey" \
    'BEGIN { sx = (w / 2) / (ex / 40); sy = (h / 2) / (ey / 40); printf "%.3f", 0.98 * (sx < sy ? sx : sy) }'
}

measure() {  # wall and CPU seconds of a command: "WALL CPU"
  /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >/dev/null 2>&1
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/time"
}

source "$(dirname "$0")/measuring.sh"

echo "flam3-render $(dpkg-query -W -f '${Version}' flam3-utils 2>/dev/null || echo '?'); $rounds rounds;" \
  "load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "each side makes SAMPLES iterations (zephyrin: --iterations, two hits each; flam3: quality x pixels)"
printf "%-10s %10s %3s  %-26s %-26s %-22s %-22s\n" size samples thr "zephyrin cpu s / wall s" \
  "flam3 cpu s / wall s" "cpu ratio (range)" "wall ratio (range)"
for size in 400x300 800x600 1920x1080; do
  width=${size%x*}
  height=${size#*x}
  "$render" --find --seed 3 --size "$size" --iterations 1000 --quiet -o "$work/found.png"
  scale=$(fill_scale "$width" "$height")
  for samples in "${samples_list[@]}"; do
    quality=$(awk -v s="$samples" -v w="$width" -v h="$height" 'BEGIN { printf "%.6f", s / (w * h) }')
    genome "$width" "$height" "$scale" "$quality" > "$work/ifs.flam3"
    for t in 1 2; do
      zc=() zw=() fc=() fw=() cr=() wr=()
      for ((r = 0; r < rounds; r++)); do
        read -r w1 c1 < <(measure "$render" "$work/found.zpr" --seed 9 --threads $t --iterations "$samples" \
          --quiet -o "$work/z.png")
        read -r w2 c2 < <(measure env nthreads=$t in="$work/ifs.flam3" out="$work/f.png" flam3-render)
        zc+=("$c1") zw+=("$w1") fc+=("$c2") fw+=("$w2")
        cr+=("$(awk -v a="$c2" -v b="$c1" 'BEGIN { printf "%.2f", a / b }')")
        wr+=("$(awk -v a="$w2" -v b="$w1" 'BEGIN { printf "%.2f", a / b }')")
      done
      printf "%-10s %10s %3s  %-26s %-26s %-22s %-22s\n" "$size" "$samples" "$t" \
        "$(echo "${zc[*]}" | median) / $(echo "${zw[*]}" | median)" \
        "$(echo "${fc[*]}" | median) / $(echo "${fw[*]}" | median)" \
        "$(echo "${cr[*]}" | median) ($(echo "${cr[*]}" | range))" \
        "$(echo "${wr[*]}" | median) ($(echo "${wr[*]}" | range))"
    done
  done
done
