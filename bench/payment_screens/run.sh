#!/usr/bin/env bash
# The payment list of an agency of 100,000 payments: opening, sorting and
# searching, each with the longest stretch without a turn of the event loop.
set -euo pipefail
build="${1:-build}"
"$build/bin/bench_payment_list" 100000
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
