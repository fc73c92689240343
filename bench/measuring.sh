# Shell functions the bench scripts share; sourced, not run. `cpu` writes
# its timing into "$work", the caller's temporary folder.

cpu() {  # user + system seconds of a command
  /usr/bin/time -f "%U %S" -o "$work/time" "$@" >/dev/null 2>&1
  awk '{ printf "%.3f", $1 + $2 }' "$work/time"
}
# The median and the range of numbers separated by blanks or lines.
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
range() { tr ' ' '\n' | grep . | sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s-%s", lo, hi }'; }
