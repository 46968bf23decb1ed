#!/usr/bin/env bash
# Runs every benchmark against the build folder given (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
for script in bench/*/run.sh; do
  [ -x "$script" ] || continue
  echo "== $script"
  "$script" "$build"
done
