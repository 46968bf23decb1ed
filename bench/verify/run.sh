#!/usr/bin/env bash
# The verification workbook: our export and load of 50,000 folios, next to
# openpyxl (read-only mode) reading every cell of the same workbook.
set -euo pipefail
build="${1:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
book="$work/MortNoBench.xlsx"

"$build/bin/bench_verify" export "$book" | tee "$work/ours.txt"
"$build/bin/bench_verify" load "$book" | tee -a "$work/ours.txt"
echo "workbook_bytes $(stat -c %s "$book")"

python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c "import openpyxl" 2>/dev/null; then python="$candidate"; break; fi
done
if [ -z "$python" ]; then
  echo "openpyxl: not installed, no comparison"
  exit 0
fi
# Best of three runs, as for ours.
for run in 1 2 3; do
  start=$(date +%s%N)
  "$python" -c '
import sys, time, openpyxl
t = time.perf_counter()
c = time.process_time()
wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
cells = 0
for ws in wb.worksheets:
    for row in ws.iter_rows(values_only=True):
        cells += len(row)
print("openpyxl_cells", cells)
print("openpyxl_read_ms", int((time.perf_counter() - t) * 1000))
print("openpyxl_read_cpu_ms", int((time.process_time() - c) * 1000))
' "$book" > "$work/run$run.txt"
  echo "openpyxl_process_ms $(( ($(date +%s%N) - start) / 1000000 ))" >> "$work/run$run.txt"
done
cat "$work"/run*.txt | awk '
  $1 == "openpyxl_cells" { cells = $2 }
  $1 != "openpyxl_cells" { if (!($1 in best) || $2 < best[$1]) best[$1] = $2 }
  END {
    print "openpyxl_cells", cells
    print "openpyxl_read_ms", best["openpyxl_read_ms"]
    print "openpyxl_read_cpu_ms", best["openpyxl_read_cpu_ms"]
    print "openpyxl_process_ms", best["openpyxl_process_ms"]
  }' | tee "$work/theirs.txt"

ratio() {
  local ours theirs
  ours=$(awk -v k="$1" '$1 == k {print $2}' "$work/ours.txt")
  theirs=$(awk -v k="$2" '$1 == k {print $2}' "$work/theirs.txt")
  awk -v l="$ours" -v r="$theirs" -v n="$3" 'BEGIN { if (l < 1) l = 1; printf "%s %.1fx (target: at least 5x)\n", n, r / l }'
}
ratio load_ms openpyxl_read_ms load_speedup_vs_openpyxl_read
ratio load_ms openpyxl_process_ms load_speedup_vs_python3_c_process
ratio load_cpu_ms openpyxl_read_cpu_ms load_speedup_vs_openpyxl_read_cpu
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
