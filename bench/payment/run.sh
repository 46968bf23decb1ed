#!/usr/bin/env bash
# The payment file of 100,000 realistic payments in 1,000 agencies: our load
# and save next to the sqlite3 shell importing the same payment lines into a
# bare table (.import) and writing the stored rows out as CSV (.mode csv,
# .output), in the same run. Every figure is the best of three runs, each run
# a process of its own: wall time, processor time, peak memory.
# Targets: load no slower than the import, save within the shell's CSV output.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/figures.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bin/bench_payment" generate "$work"
echo "payment file: $(( $(stat -c %s "$work/Zoltdata.csv") / 1024 )) KB, $(wc -l < "$work/details.csv") payment lines"

best_of 3 "$work/ours.txt" "$build/bin/bench_payment" run "$work"
cat "$work/ours.txt" | grep -v "_ms\|_kb" || true

if ! command -v sqlite3 > /dev/null; then
  echo "sqlite3: not installed (apt-get install sqlite3), no comparison"
  show "zolt load" "$(figure "$work/ours.txt" load_ms)" "$(figure "$work/ours.txt" load_cpu_ms)" \
       "$(figure "$work/ours.txt" peak_rss_kb)"
  exit 0
fi

# One run of the shell: "KEY_ms", "KEY_cpu_ms" and "KEY_peak_rss_kb" of the command.
shell_run() {
  local key="$1"; shift
  local start figures
  start=$(date +%s%N)
  figures=$( { /usr/bin/time -f "%U %S %M" "$@" > /dev/null; } 2>&1 | tail -1)
  echo "${key}_ms $(( ($(date +%s%N) - start) / 1000000 ))"
  awk -v k="$key" '{ printf "%s_cpu_ms %d\n%s_peak_rss_kb %d\n", k, ($1 + $2) * 1000, k, $3 }' <<< "$figures"
}
import_once() {
  rm -f "$work/bare.db"
  sqlite3 "$work/bare.db" 'CREATE TABLE bare (c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12);'
  shell_run import sqlite3 "$work/bare.db" ".import --csv $work/details.csv bare"
}
csv_once() {
  shell_run csv sqlite3 "$work/bench.mdb" ".mode csv" ".output $work/shell.csv" "SELECT * FROM Detail;"
}
best_of 3 "$work/import.txt" import_once
best_of 3 "$work/csv.txt" csv_once

echo "Payment load (best of 3)"
show "zolt load (read, check, store)" "$(figure "$work/ours.txt" load_ms)" "$(figure "$work/ours.txt" load_cpu_ms)" \
     "$(figure "$work/ours.txt" peak_rss_kb)"
show "sqlite3 .import of the lines" "$(figure "$work/import.txt" import_ms)" \
     "$(figure "$work/import.txt" import_cpu_ms)" "$(figure "$work/import.txt" import_peak_rss_kb)"
echo "  (then the database log is copied into the file on a thread of its own: $(figure "$work/ours.txt" \
log_copy_after_load_ms) ms more; the shell's import writes the file in its commit)"
check "load no slower than the import (wall $(awk -v a="$(figure "$work/ours.txt" load_ms)" \
      -v b="$(figure "$work/import.txt" import_ms)" 'BEGIN { printf "%.2fx", a / (b < 1 ? 1 : b) }'), CPU \
$(awk -v a="$(figure "$work/ours.txt" load_cpu_ms)" -v b="$(figure "$work/import.txt" import_cpu_ms)" \
      'BEGIN { printf "%.2fx", a / (b < 1 ? 1 : b) }'))" \
      "$(figure "$work/ours.txt" load_ms) <= $(figure "$work/import.txt" import_ms)"

echo "Payment save (best of 3)"
show "zolt save (new file)" "$(figure "$work/ours.txt" save_ms)" "$(figure "$work/ours.txt" save_cpu_ms)" ""
show "zolt save over the file (backup)" "$(figure "$work/ours.txt" save_over_ms)" \
     "$(figure "$work/ours.txt" save_over_cpu_ms)" ""
show "sqlite3 .mode csv .output" "$(figure "$work/csv.txt" csv_ms)" "$(figure "$work/csv.txt" csv_cpu_ms)" \
     "$(figure "$work/csv.txt" csv_peak_rss_kb)"
check "save within the shell's CSV output (wall $(awk -v a="$(figure "$work/ours.txt" save_ms)" \
      -v b="$(figure "$work/csv.txt" csv_ms)" 'BEGIN { printf "%.2fx", a / (b < 1 ? 1 : b) }'))" \
      "$(figure "$work/ours.txt" save_ms) <= $(figure "$work/csv.txt" csv_ms)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
