#!/usr/bin/env bash
# How long the event loop stands still (the window can neither paint nor take
# a click) in the payment load and save, the workbook load and export and the
# Verify.csv export and imports, on the benchmarks' files: the payment file of
# 100,000 payments, the workbook of 50,000 folios and 100,000 folios for
# Verify.csv. Also the time of each with and without the progress dialog.
set -euo pipefail
build="${1:-build}"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../support/figures.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bin/bench_payment" generate "$work"
"$build/bin/bench_verify" database "$work/source.mdb" > /dev/null
"$build/bin/bench_verify" export "$work/source.mdb" "$work/MortNoBench.xlsx" > /dev/null
"$build/bin/bench_verify_csv" database "$work/folios.mdb" 100000 > /dev/null
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bin/bench_progress" "$work/Zoltdata.csv" \
  "$work/MortNoBench.xlsx" "$work/folios.mdb" | tee "$work/figures.txt"
for step in payment_load payment_save workbook_load workbook_export verify_csv_export verify_csv_import1 \
            verify_csv_import2; do
  check "$step never stops the event loop for more than 50 ms" \
        "$(figure "$work/figures.txt" "${step}_longest_gap_ms") <= 50"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
