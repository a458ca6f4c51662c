#!/usr/bin/env bash
# Builds the core, the CLI and their tests (the reliability suites included) with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, and runs them
# through ctest. Any report stops the test that made it.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$(date +%s)
# Set here, not taken from the caller: a UTF-8 locale and a temporary folder.
export LC_ALL=C.UTF-8 TMPDIR="${TMPDIR:-/tmp}"
unset LANGUAGE
mkdir -p "$TMPDIR"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSG8_BUILD_GUI=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="${SG8_WARNINGS_AS_ERRORS:-OFF}" \
  -DCMAKE_CXX_FLAGS='-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer'
cmake --build build-asan --parallel 2

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure --timeout 900 -j2

echo "sanitizers: done in $(( $(date +%s) - started )) s"
