#!/usr/bin/env bash
# The verification workbook of 50,000 realistic folios: our export and our
# load (read, check, store) next to openpyxl (read-only), the npm package
# "xlsx" and ExcelJS's streaming reader each reading every cell of the same
# workbook, in the same run: the workbook as a spreadsheet program saves it
# (shared strings, as the authority's come) and as our export writes it
# (inline strings). Every figure is the best of three runs, each run a process
# of its own: wall time, processor time, peak memory. The load and the export
# are measured again on 50,000 folios with rich reference tables (9,801
# district/jurisdiction pairs, as bench_verify_csv makes them) for their peak
# memory.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/figures.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bench="$build/bin/bench_verify"
book="$work/MortNoBench.xlsx"
PEERS_DIR="$work/peers"
mkdir -p "$PEERS_DIR"
source "$here/../peers/install.sh"

"$bench" database "$work/source.mdb" > /dev/null
best_of 3 "$work/export.txt" "$bench" export "$work/source.mdb" "$book"
"$bench" spreadsheet "$work/source.mdb" "$work/MortNoSpreadsheet.xlsx"

# compare_load NAME WORKBOOK: our load and the peers' reading of one workbook.
compare_load() {
  local name="$1" workbook="$2" out="$work/$1"
  mkdir -p "$out"
  cp "$work/source.mdb" "$work/load.mdb"
  best_of 3 "$out/load.txt" "$bench" load "$workbook" "$work/load.mdb"
  local peers=()
  if [ -n "$OPENPYXL_PYTHON" ]; then
    best_of 3 "$out/openpyxl.txt" "$OPENPYXL_PYTHON" "$here/../peers/read_openpyxl.py" "$workbook"
    peers+=(openpyxl)
  fi
  if [ "$NODE_PEERS" = yes ]; then
    best_of 3 "$out/sheetjs.txt" node "$PEERS_DIR/read_sheetjs.js" "$workbook"
    best_of 3 "$out/exceljs.txt" node "$PEERS_DIR/read_exceljs.js" "$workbook"
    peers+=(sheetjs exceljs)
  fi
  echo "Workbook load, $name: $(figure "$out/load.txt" load_rows) folios, $(( $(stat -c %s "$workbook") / 1024 )) KB (best of 3)"
  show "zolt load (read, check, store)" "$(figure "$out/load.txt" load_ms)" \
       "$(figure "$out/load.txt" load_cpu_ms)" "$(figure "$out/load.txt" load_peak_rss_kb)"
  local peer f
  for peer in "${peers[@]}"; do
    f="$out/$peer.txt"
    show "$peer reading every cell ($(figure "$f" "${peer}_cells"))" "$(figure "$f" "${peer}_ms")" \
         "$(figure "$f" "${peer}_cpu_ms")" "$(figure "$f" "${peer}_peak_rss_kb")"
  done
  local load_ms load_cpu
  load_ms=$(figure "$out/load.txt" load_ms)
  load_cpu=$(figure "$out/load.txt" load_cpu_ms)
  if [ -n "$OPENPYXL_PYTHON" ]; then
    local their_ms their_cpu
    their_ms=$(figure "$out/openpyxl.txt" openpyxl_ms)
    their_cpu=$(figure "$out/openpyxl.txt" openpyxl_cpu_ms)
    check "10x faster than openpyxl (wall $(awk -v a="$their_ms" -v b="$load_ms" 'BEGIN { printf "%.1fx", a / (b < 1 ? 1 : b) }'), CPU $(awk -v a="$their_cpu" -v b="$load_cpu" 'BEGIN { printf "%.1fx", a / (b < 1 ? 1 : b) }'))" \
          "$load_ms * 10 <= $their_ms"
  fi
  if [ "$NODE_PEERS" = yes ]; then
    for peer in sheetjs exceljs; do
      check "faster than $peer" "$load_ms < $(figure "$out/$peer.txt" "${peer}_ms")"
    done
  fi
  check "load peak under 64 MB" "$(figure "$out/load.txt" load_peak_rss_kb) < 64 * 1024"
}

compare_load "as a spreadsheet program saves it (shared strings)" "$work/MortNoSpreadsheet.xlsx"
exported="as zolt's export writes it (inline strings)"
compare_load "$exported" "$book"

"$bench" limits "$work/MortNoSpreadsheet.xlsx" "$work/source.mdb" "$work/scratch.mdb" > "$work/limits.txt"
echo "The load's floors on the spreadsheet program's workbook, each measured alone (best of 3)"
show "unpacking the sheets" "$(figure "$work/limits.txt" unpack_only_ms)" "$(figure "$work/limits.txt" unpack_only_cpu_ms)" ""
show "unpacking and scanning their XML" "$(figure "$work/limits.txt" unpack_and_scan_ms)" \
     "$(figure "$work/limits.txt" unpack_and_scan_cpu_ms)" ""
show "reading every cell as text" "$(figure "$work/limits.txt" reader_only_ms)" \
     "$(figure "$work/limits.txt" reader_only_cpu_ms)" ""
show "inserting the 50,000 rows" "$(figure "$work/limits.txt" insert_only_ms)" \
     "$(figure "$work/limits.txt" insert_only_cpu_ms)" ""

echo "Workbook export (best of 3)"
export_ms=$(figure "$work/export.txt" export_ms)
show "zolt export" "$export_ms" "$(figure "$work/export.txt" export_cpu_ms)" \
     "$(figure "$work/export.txt" export_peak_rss_kb)"
check "export under 1.0 s" "$export_ms < 1000"
if [ -n "$OPENPYXL_PYTHON" ]; then
  their_ms=$(figure "$work/$exported/openpyxl.txt" openpyxl_ms)
  check "export at most 0.15x openpyxl's read of the same workbook ($(awk -v a="$export_ms" -v b="$their_ms" 'BEGIN { printf "%.2fx", a / (b < 1 ? 1 : b) }'))" \
        "$export_ms <= 0.15 * $their_ms"
fi
check "export peak under 64 MB" "$(figure "$work/export.txt" export_peak_rss_kb) < 64 * 1024"

# The same folios with rich reference tables: the peaks of their load and export.
bench_csv="$build/bin/bench_verify_csv"
"$bench_csv" database "$work/rich.mdb" 50000 > /dev/null
"$bench_csv" workbook "$work/rich.mdb" "$work/MortNoRich.xlsx"
best_of 3 "$work/rich_export.txt" "$bench" export "$work/rich.mdb" "$work/MortNoRichExport.xlsx"
cp "$work/rich.mdb" "$work/rich_load.mdb"
best_of 3 "$work/rich_load.txt" "$bench" load "$work/MortNoRich.xlsx" "$work/rich_load.mdb"
echo "Rich reference tables: $(figure "$work/rich_load.txt" load_rows) folios, 9,801 pairs (best of 3)"
show "zolt load" "$(figure "$work/rich_load.txt" load_ms)" "$(figure "$work/rich_load.txt" load_cpu_ms)" \
     "$(figure "$work/rich_load.txt" load_peak_rss_kb)"
show "zolt export" "$(figure "$work/rich_export.txt" export_ms)" "$(figure "$work/rich_export.txt" export_cpu_ms)" \
     "$(figure "$work/rich_export.txt" export_peak_rss_kb)"
check "load peak under 64 MB" "$(figure "$work/rich_load.txt" load_peak_rss_kb) < 64 * 1024"
check "export peak under 64 MB" "$(figure "$work/rich_export.txt" export_peak_rss_kb) < 64 * 1024"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
