#!/usr/bin/env bash
# The Windows build: cross-compiles the core, its tests and sg8gen.exe with
# mingw-w64 in build-win/ and runs the tests under Wine.
#   bash scripts/test.d/50-windows.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
out=$root/build-win
toolchain=$root/cmake/mingw-w64-x86_64.cmake
started=$SECONDS
# Set here, not taken from the caller: a UTF-8 locale (Wine maps file names
# through it: without one it can't create 存档.bytes) and a temporary folder.
export LC_ALL=C.UTF-8 TMPDIR="${TMPDIR:-/tmp}"
unset LANGUAGE
mkdir -p "$TMPDIR"
mkdir -p "$out"

# Wine keeps its own Windows in the build folder. No display, no Mono or Gecko
# installers, no debug chatter.
export WINEPREFIX=$out/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"
# Start Wine before anything runs under it: a wineserver or Wine service started
# from inside ctest inherits ctest's output pipe, and ctest then waits for ever.
wineserver -p >/dev/null 2>&1 || true  # already running for this prefix
wineboot >/dev/null 2>&1
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# GoogleTest for Windows, from Debian's sources with the same toolchain.
gtest=$out/googletest-install
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$out/googletest" --parallel 2 >/dev/null
  cmake --install "$out/googletest" >/dev/null
fi

# CLI11 and nlohmann-json are header-only: their packages' CMake files, beside
# links to just their headers, so that no other Linux header reaches the compiler.
headers=$out/header-only
mkdir -p "$headers/include" "$headers/share/cmake"
ln -sfn /usr/include/CLI "$headers/include/CLI"
ln -sfn /usr/include/nlohmann "$headers/include/nlohmann"
cp -r /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json "$headers/share/cmake/"

cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="${SG8_WARNINGS_AS_ERRORS:-OFF}" \
  -DSG8_BUILD_GUI=OFF -DSG8_BUILD_CLI=ON -DSG8_BUILD_TESTS=ON -DGTest_DIR="$gtest/lib/cmake/GTest" \
  -DCLI11_DIR="$headers/share/cmake/CLI11" -Dnlohmann_json_DIR="$headers/share/cmake/nlohmann_json"
cmake --build "$out" --parallel 2
# The file to hand out: no debug information, no DLL needed beside it.
x86_64-w64-mingw32-strip -o "$out/sg8gen.exe" "$out/cli/sg8gen.exe"
ctest --test-dir "$out" --output-on-failure --timeout 300 -j2
echo "windows: built and tested in $((SECONDS - started)) s"
