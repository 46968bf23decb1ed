#!/usr/bin/env bash
# Writes and reads a 50,000 x 14 workbook; compares the read with openpyxl's
# read-only mode where python3-openpyxl is installed.
set -euo pipefail
build="${1:-build}"
bench="$build/bin/bench_workbook"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
file="$work/bench.xlsx"
"$bench" write "$file" 50000
"$bench" read "$file"
for python in python3 /usr/bin/python3; do
  if "$python" -c "import openpyxl" 2>/dev/null; then
    "$python" - "$file" <<'PY'
import sys, time, resource, openpyxl
start = time.perf_counter()
wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
cells = sum(1 for ws in wb.worksheets for row in ws.iter_rows(values_only=True) for v in row if v is not None)
print("openpyxl read-only %d cells: %d ms, peak %d MB" % (cells, (time.perf_counter() - start) * 1000,
      resource.getrusage(resource.RUSAGE_SELF).ru_maxrss // 1024))
PY
    break
  fi
done
