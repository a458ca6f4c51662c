#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan in build-fuzz/,
# replays each target's corpus (fuzz/corpus/<target>/), then fuzzes each target
# for a short fixed time (SG8_FUZZ_SECONDS, 60 by default). Inputs found on the
# way go to a scratch folder, so the corpus stays as committed; a crash stops the
# stage and its input is kept in build-fuzz/ as crash-<target>-*.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$(date +%s)
seconds="${SG8_FUZZ_SECONDS:-60}"
# Set here, not taken from the caller: a UTF-8 locale and a temporary folder.
export LC_ALL=C.UTF-8 TMPDIR="${TMPDIR:-/tmp}"
unset LANGUAGE
mkdir -p "$TMPDIR"

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="${SG8_WARNINGS_AS_ERRORS:-OFF}"
cmake --build build-fuzz --parallel 2

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scratch="$(mktemp -d "${TMPDIR:-/tmp}/sg8fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

for entry in load:4096 model:8192; do
  target="${entry%%:*}"
  options=(-max_len="${entry##*:}" -rss_limit_mb=2048 -timeout=10 -artifact_prefix="build-fuzz/crash-$target-")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  echo "--- $target: replaying $(ls fuzz/corpus/$target | wc -l) inputs of fuzz/corpus/$target"
  "build-fuzz/${target}_fuzzer" "${options[@]}" -runs=0 "fuzz/corpus/$target" 2>&1 | grep -E '^(INFO: seed|#[0-9]+[[:space:]]+DONE)'
  echo "--- $target: fuzzing for $seconds s"
  mkdir -p "$scratch/$target"
  cp "fuzz/corpus/$target/"* "$scratch/$target/"
  "build-fuzz/${target}_fuzzer" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 "$scratch/$target" \
    > "$scratch/$target.log" 2>&1 || { tail -n 60 "$scratch/$target.log"; exit 1; }
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$scratch/$target.log"
done

echo "fuzz: done in $(( $(date +%s) - started )) s"
