#!/usr/bin/env bash
# Configures and builds the project in build/ (Release with debug info). Warnings
# are errors only when SG8_WARNINGS_AS_ERRORS=ON (as in CI); further arguments go
# to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="${SG8_WARNINGS_AS_ERRORS:-OFF}" "$@"
cmake --build build --parallel
