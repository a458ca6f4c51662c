#!/usr/bin/env bash
# Sets everything up, builds, and starts the editor: on the files named, or on a
# copy of the bundled example save file when none is named.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ ! -x build/ui/sg8gen-editor ]; then
  echo "run: the editor is not built yet; the core and its tests are." >&2
  exit 0
fi
if [ $# -eq 0 ]; then
  copy="${TMPDIR:-/tmp}/sg8gen-demo.bytes"
  cp examples/demo.bytes "$copy"
  set -- "$copy"
fi
exec build/ui/sg8gen-editor "$@"
