#!/usr/bin/env bash
# Fuzzes the targets of a fuzz build (./build.sh fuzz) one after another.
#   fuzz/run.sh BUILD SECONDS WORK [TARGET...]
# Each target runs SECONDS with its folder's dictionary, under a 2 GB memory
# limit and a 10 s limit per input, starting from its folder's corpus. What
# the fuzzer learns and the inputs that fail (crash-*, timeout-*, oom-*,
# leak-*) go to WORK/TARGET/, never into the source tree: a failing input
# belongs in the folder's regressions/ once its fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1" seconds="$2" work="$3"; shift 3
targets=("$@")
((${#targets[@]})) || targets=(fuzz_payment_file fuzz_payment_load fuzz_workbook_reader fuzz_workbook_load fuzz_criteria
                               fuzz_number_format fuzz_verify_csv_import fuzz_verify_return)

folder_of() {  # the source folder of a target
  grep -l "zolt_fuzz_target($1 " fuzz/*/CMakeLists.txt | xargs dirname
}

for target in "${targets[@]}"; do
  folder=$(folder_of "$target")
  mkdir -p "$work/$target/corpus" "$work/$target/artifacts"
  dict=$(ls "$folder"/*.dict 2>/dev/null | head -1 || true)
  # The return check reads workbooks: the workbook's names serve it.
  [ -n "$dict" ] || [ "$target" != fuzz_verify_return ] || dict=fuzz/workbook/workbook.dict
  # Payment files of a few hundred lines for the reader, fewer for the whole
  # load and save, which work on a database; whole small workbooks.
  case "$target" in
    fuzz_payment_file) max_len=65536 ;;
    fuzz_payment_load|fuzz_workbook_*|fuzz_verify_*) max_len=16384 ;;
    *) max_len=4096 ;;
  esac
  echo "== $target: $seconds s from $folder" >&2
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/bin/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len="$max_len" \
      ${dict:+-dict="$dict"} -artifact_prefix="$work/$target/artifacts/" -print_final_stats=1 \
      "$work/$target/corpus" "$folder/corpus" $( [ -d "$folder/regressions" ] && echo "$folder/regressions" ) \
    || echo "== $target stopped on a finding: see $work/$target/artifacts/" >&2
done
