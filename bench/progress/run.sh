#!/usr/bin/env bash
# The progress dialog of the payment save, the workbook load and the workbook
# export on the payment and verification benchmarks' files: time with and
# without it, and the longest stretch the window goes without painting.
set -euo pipefail
build="${1:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bin/bench_payment" generate "$work"
"$build/bin/bench_verify" database "$work/source.mdb" > /dev/null
"$build/bin/bench_verify" export "$work/source.mdb" "$work/MortNoBench.xlsx" > /dev/null
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bin/bench_progress" "$work/Zoltdata.csv" "$work/MortNoBench.xlsx"
