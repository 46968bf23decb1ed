# Shell helpers of the benchmark scripts: figures are "key value" lines, times
# in keys ending in _ms, peak memory in keys ending in _kb.

# best_of RUNS OUT CMD...: runs CMD RUNS times and writes to OUT the least of
# each time and the largest of each peak seen; other keys keep their last value.
best_of() {
  local runs="$1" out="$2"; shift 2
  local all; all="$(mktemp)"
  local i
  for ((i = 0; i < runs; i++)); do "$@" >> "$all"; done
  awk '
    $1 ~ /_ms$/ { if (!($1 in v) || $2 < v[$1]) v[$1] = $2; next }
    $1 ~ /_kb$/ { if (!($1 in v) || $2 > v[$1]) v[$1] = $2; next }
    { v[$1] = $2 }
    END { for (k in v) print k, v[k] }' "$all" | sort > "$out"
  rm -f "$all"
}

# figure FILE KEY: the value of KEY in FILE, empty when it is missing.
figure() {
  awk -v k="$2" '$1 == k { print $2 }' "$1"
}

# show LABEL WALL_MS CPU_MS PEAK_KB: one line of a comparison table.
show() {
  printf '  %-34s %7s ms  %7s ms CPU  %5s MB peak\n' "$1" "${2:--}" "${3:--}" \
    "$( [ -n "${4:-}" ] && echo $(( $4 / 1024 )) || echo - )"
}

# check TEXT OK: prints the target with "met" or "MISSED"; OK is an awk
# condition.
check() {
  if awk "BEGIN { exit !($2) }"; then echo "  target $1: met"; else echo "  target $1: MISSED"; fi
}
