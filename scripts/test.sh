#!/usr/bin/env bash
# Sets everything up and runs every test: the main build's ctest suites, then each
# further suite in scripts/test.d/ in order (sanitizers, fuzzing, Windows under Wine, ...).
# What the tests depend on is set here and again in each stage, not taken from the
# caller: minimal containers and CI runners start with an empty environment.
set -euo pipefail
cd "$(dirname "$0")/.."

# A UTF-8 locale (file names with Chinese characters), a temporary folder, and
# Qt's offscreen platform for the window tests: no display needed.
export LC_ALL=C.UTF-8 TMPDIR="${TMPDIR:-/tmp}" QT_QPA_PLATFORM=offscreen
unset LANGUAGE
mkdir -p "$TMPDIR"

bash scripts/setup.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600 -j2
for stage in scripts/test.d/*.sh; do
  [ -e "$stage" ] || continue
  echo "=== $(basename "$stage")"
  bash "$stage"
done
