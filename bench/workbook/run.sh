#!/usr/bin/env bash
# The workbook reader and writer on their own, on sheets of realistic folios:
# the reader's peak memory on 50,000 and on 500,000 rows (the sheet is read as
# it is unpacked, so the two should not differ), and what writing 50,000 rows
# through libxlsxwriter costs before any database work. Best of three runs,
# each run a process of its own.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/figures.sh"
bench="$build/bin/bench_workbook"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

best_of 3 "$work/write.txt" "$bench" write "$work/small.xlsx" 50000
"$bench" write "$work/large.xlsx" 500000 > "$work/write_large.txt"
best_of 3 "$work/small.txt" "$bench" read "$work/small.xlsx"
best_of 3 "$work/large.txt" "$bench" read "$work/large.xlsx"

echo "Workbook writer alone, 50,000 rows of 14 cells (best of 3)"
show "rows written (libxlsxwriter)" "$(figure "$work/write.txt" write_cells_ms)" \
     "$(figure "$work/write.txt" write_cells_cpu_ms)" ""
show "save (compress, then read back)" "$(figure "$work/write.txt" write_save_ms)" \
     "$(figure "$work/write.txt" write_save_cpu_ms)" ""
show "  of which reading back" "$(figure "$work/write.txt" write_check_ms)" \
     "$(figure "$work/write.txt" write_check_cpu_ms)" "$(figure "$work/write.txt" write_peak_rss_kb)"
echo "Workbook reader alone (best of 3)"
show "50,000 rows ($(( $(stat -c %s "$work/small.xlsx") / 1024 )) KB)" "$(figure "$work/small.txt" read_ms)" \
     "$(figure "$work/small.txt" read_cpu_ms)" "$(figure "$work/small.txt" read_peak_rss_kb)"
show "500,000 rows ($(( $(stat -c %s "$work/large.xlsx") / 1024 )) KB)" "$(figure "$work/large.txt" read_ms)" \
     "$(figure "$work/large.txt" read_cpu_ms)" "$(figure "$work/large.txt" read_peak_rss_kb)"
check "reading 500,000 rows within the memory of 50,000 (+4 MB)" \
      "$(figure "$work/large.txt" read_peak_rss_kb) <= $(figure "$work/small.txt" read_peak_rss_kb) + 4096"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
