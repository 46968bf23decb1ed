#!/usr/bin/env bash
# The payment file of 100,000 payments in 1,000 agencies: our load and save
# next to the sqlite3 shell importing the same 100,000 detail lines into a
# bare table, in the same run. Targets: load within 3x the import, save under
# one second, peak memory under 200 MB.
set -euo pipefail
build="${1:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bin/bench_payment" generate "$work"
echo "file_bytes $(stat -c %s "$work/Zoltdata.csv") detail_lines $(wc -l < "$work/details.csv")"

"$build/bin/bench_payment" run "$work" | tee "$work/ours.txt"

if command -v sqlite3 > /dev/null; then
  sqlite3 "$work/bare.db" 'CREATE TABLE bare (c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12);'
  start=$(date +%s%N)
  cpu=$( { /usr/bin/time -f "%U %S" sqlite3 "$work/bare.db" ".import --csv $work/details.csv bare"; } 2>&1 )
  import_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  import_cpu_ms=$(awk '{printf "%d", ($1 + $2) * 1000}' <<< "$cpu")
  echo "sqlite3_import_ms $import_ms ($(sqlite3 "$work/bare.db" 'SELECT count(*) FROM bare') rows)"
  echo "sqlite3_import_cpu_ms $import_cpu_ms"
  load_ms=$(awk '/^load_ms/ {print $2}' "$work/ours.txt")
  load_cpu_ms=$(awk '/^load_cpu_ms/ {print $2}' "$work/ours.txt")
  awk -v l="$load_ms" -v i="$import_ms" 'BEGIN { if (i < 1) i = 1; printf "load_vs_import %.2fx by the clock (target: at most 3x)\n", l / i }'
  awk -v l="$load_cpu_ms" -v i="$import_cpu_ms" 'BEGIN { if (i < 1) i = 1; printf "load_vs_import %.2fx in processor time\n", l / i }'
else
  echo "sqlite3: not installed, no comparison"
fi
