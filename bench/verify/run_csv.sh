#!/usr/bin/env bash
# Verify.csv of 100,000 realistic folios: the export and both imports next to
# the workbook load of the same folios, in the same run. Every figure is the
# best of three runs, each a process of its own.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/figures.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bench="$build/bin/bench_verify_csv"

"$bench" database "$work/source.mdb" > /dev/null
"$bench" workbook "$work/source.mdb" "$work/MortNo.xlsx"
cp "$work/source.mdb" "$work/load.mdb"
best_of 3 "$work/load.txt" "$bench" load "$work/MortNo.xlsx" "$work/load.mdb"
best_of 3 "$work/export.txt" "$bench" export "$work/source.mdb" "$work/Verify.csv"
# Option 1 matches every line to its folio; option 2 deletes them all first.
for option in 1 2; do
  cp "$work/source.mdb" "$work/import.mdb"
  best_of 3 "$work/import$option.txt" "$bench" import "$work/import.mdb" "$work/Verify.csv" "$option"
done

load_ms=$(figure "$work/load.txt" load_ms)
echo "Verify.csv of $(figure "$work/export.txt" csv_export_rows) folios, $(( $(stat -c %s "$work/Verify.csv") / 1024 )) KB (best of 3)"
show "workbook load (read, check, store)" "$load_ms" "$(figure "$work/load.txt" load_cpu_ms)" \
     "$(figure "$work/load.txt" load_peak_rss_kb)"
show "Verify.csv export" "$(figure "$work/export.txt" csv_export_ms)" "$(figure "$work/export.txt" csv_export_cpu_ms)" \
     "$(figure "$work/export.txt" csv_export_peak_rss_kb)"
for option in 1 2; do
  f="$work/import$option.txt"
  show "Verify.csv import option $option" "$(figure "$f" csv_import${option}_ms)" "$(figure "$f" csv_import${option}_cpu_ms)" \
       "$(figure "$f" csv_import${option}_peak_rss_kb)"
done
for pair in "export:$work/export.txt:csv_export" "import 1:$work/import1.txt:csv_import1" \
            "import 2:$work/import2.txt:csv_import2"; do
  IFS=: read -r name file key <<< "$pair"
  check "$name within 1.2x of the workbook load" "$(figure "$file" "${key}_ms") <= 1.2 * $load_ms"
  check "$name peak under 100 MB" "$(figure "$file" "${key}_peak_rss_kb") < 100 * 1024"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
