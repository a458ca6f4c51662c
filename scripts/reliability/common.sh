# Shared by the fault scripts: where the saver is, and a scratch folder that goes
# away when the script ends.
# shellcheck shell=bash
set -euo pipefail

SG8_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SG8_BUILD_DIR="${SG8_BUILD_DIR:-$SG8_ROOT/build}"
SAVER="${SG8_SAVER:-$SG8_BUILD_DIR/tests/reliability/reliability_saver}"
if [ ! -x "$SAVER" ]; then
  echo "$(basename "$0"): no saver at $SAVER (build the target reliability_saver, or set SG8_SAVER)" >&2
  exit 2
fi

SCRATCH="$(mktemp -d "${TMPDIR:-/tmp}/sg8faults.XXXXXX")"
cleanup_scratch() { rm -rf "$SCRATCH"; }
trap cleanup_scratch EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The names in a folder other than the ones given: leftovers such as temporary files.
others_in() {
  local folder="$1"; shift
  local name keep
  for name in $(ls -A "$folder"); do
    keep=0
    for allowed in "$@"; do [ "$name" = "$allowed" ] && keep=1; done
    [ $keep -eq 1 ] || echo "$name"
  done
}
