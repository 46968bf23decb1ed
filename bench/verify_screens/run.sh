#!/usr/bin/env bash
# The verification list of 100,000 folios: opening, the nine sorts, a search.
set -euo pipefail
build="${1:-build}"
"$build/bin/bench_verify_list" 100000
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
