#!/usr/bin/env bash
# Sets everything up and runs every test: the main build's ctest suites, then each
# further suite in scripts/test.d/ in order (sanitizers, fuzzing, Windows under Wine, ...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 600 -j2
for stage in scripts/test.d/*.sh; do
  [ -e "$stage" ] || continue
  echo "=== $(basename "$stage")"
  bash "$stage"
done
