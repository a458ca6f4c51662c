#!/usr/bin/env bash
# The real-world faults: a full disk (a small tmpfs, needs root), a folder that
# isn't writable (as an unprivileged user) and a saving process killed with
# kill -9 again and again: SG8_KILLS times, 300 by default to keep CI short (the
# full run is `scripts/reliability/kill_loop.sh 1000`, about 4 to 7 minutes). They
# drive the saver of the main build in build/ (SG8_BUILD_DIR to use another).
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$(date +%s)
# Set here, not taken from the caller: a UTF-8 locale and a temporary folder.
export LC_ALL=C.UTF-8 TMPDIR="${TMPDIR:-/tmp}"
unset LANGUAGE
mkdir -p "$TMPDIR"
export SG8_BUILD_DIR="${SG8_BUILD_DIR:-build}"
cmake --build "$SG8_BUILD_DIR" --target reliability_saver

if [ "$(id -u)" -eq 0 ]; then
  bash scripts/reliability/disk_full.sh
else
  echo "disk full: skipped (mounting a tmpfs needs root)"
fi
bash scripts/reliability/readonly_folder.sh
bash scripts/reliability/kill_loop.sh "${SG8_KILLS:-300}"

echo "faults: done in $(( $(date +%s) - started )) s"
