#!/usr/bin/env bash
# The Windows build: cross-compiles the core, sg8gen.exe, sg8gen-editor.exe and
# their tests with mingw-w64 in build-win/, runs the tests under Wine (the window
# suites on an Xvfb display of their own), checks that the programs need no DLL
# beyond Windows' own, and leaves build-win/sg8gen-windows-x64.zip.
#   bash scripts/test.d/50-windows.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
out=$root/build-win
toolchain=$root/cmake/mingw-w64-x86_64.cmake
started=$SECONDS
mkdir -p "$out"

# Set here, not taken from the caller: a UTF-8 locale (Wine maps file names
# through it: without one it can't create 存档.bytes) and a temporary folder.
export LC_ALL=C.UTF-8 LANG=C.UTF-8 TMPDIR="${TMPDIR:-/tmp}"
unset LANGUAGE
mkdir -p "$TMPDIR"

# Wine keeps its own Windows in the build folder. Only the window suites get a
# display; no Mono or Gecko installers, no debug chatter.
export WINEPREFIX=$out/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export PATH=$PATH:/usr/lib/wine
unset DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d)  # in TMPDIR
xvfb=
wm=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$WINEPREFIX"
# Start Wine before anything runs under it: a wineserver or Wine service started
# from inside ctest inherits ctest's output pipe, and ctest then waits for ever.
# A boot that was interrupted leaves a prefix where no DLL loads: boot it anew.
if [ -f "$WINEPREFIX/system.reg" ] && ! wine64 cmd /c exit >/dev/null 2>&1; then
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
fi
wineserver -p >/dev/null 2>&1 || true  # already running for this prefix
wineboot >/dev/null 2>&1
# Chinese captions draw with the CJK font installed on this machine.
if ! grep -q '"Microsoft YaHei UI"="WenQuanYi Micro Hei"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  for font in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft YaHei UI" SimSun; do
    wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /t REG_SZ /d "WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1
  done
fi

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

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="${SG8_WARNINGS_AS_ERRORS:-OFF}" \
  -DSG8_BUILD_GUI=ON -DSG8_BUILD_CLI=ON -DSG8_BUILD_TESTS=ON -DGTest_DIR="$gtest/lib/cmake/GTest" \
  -DCLI11_DIR="$headers/share/cmake/CLI11" -Dnlohmann_json_DIR="$headers/share/cmake/nlohmann_json"
cmake --build "$out" --parallel 2
built=$SECONDS

# The files to hand out: no debug information, no DLL needed beside them.
x86_64-w64-mingw32-strip -o "$out/sg8gen.exe" "$out/cli/sg8gen.exe"
x86_64-w64-mingw32-strip -o "$out/sg8gen-editor.exe" "$out/ui/sg8gen-editor.exe"
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|imm32|advapi32|ole32|msvcrt|ucrtbase|api-ms-win-.*)\.dll$'
for exe in sg8gen.exe sg8gen-editor.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$out/$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  others=$(grep -Ev "$system_dlls" <<<"$imports" || true)
  if [ -n "$others" ]; then
    echo "windows: $exe needs DLLs that Windows doesn't have: $others" >&2
    exit 1
  fi
  echo "windows: $exe: $(stat -c %s "$out/$exe") bytes, imports only $(tr '\n' ' ' <<<"$imports")"
done

# The tests without windows, without a display.
ctest --test-dir "$out" --output-on-failure --timeout 300 -j2 -E '^window\.'
tested=$SECONDS

# The window suites on a screen of their own (Xvfb picks a free display number),
# large enough that the window manager lets a test grow the main window.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "windows: Xvfb did not start" >&2; exit 1; }
display=":$(head -1 "$work/display")"
# A window manager: without one, Wine waits two seconds for every window it hides.
DISPLAY=$display openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do
  DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
# Wine started above without a display; started again on this one, it sizes its
# screen from it (else a window can't grow past what it took the screen to be).
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
# One Wine process for the whole suite: starting Wine takes seconds, a test milliseconds.
(cd "$out/tests/ui" && DISPLAY=$display timeout 900 wine64 sg8window_tests.exe)
windowed=$SECONDS

# What a Windows player downloads: the two programs and a short guide in Chinese.
guide=$root/docs/guide.zh-CN.md
mkdir -p "$work/zip"
cp "$out/sg8gen-editor.exe" "$out/sg8gen.exe" "$work/zip/"
# Notepad reads it best with Windows line ends.
sed 's/$/\r/' "$guide" >"$work/zip/使用说明.txt"
rm -f "$out/sg8gen-windows-x64.zip"
(cd "$work/zip" && zip -q -X "$out/sg8gen-windows-x64.zip" sg8gen-editor.exe sg8gen.exe 使用说明.txt)
echo "windows: $out/sg8gen-windows-x64.zip: $(stat -c %s "$out/sg8gen-windows-x64.zip") bytes"
echo "windows: built in $((built - started)) s, core and CLI tests $((tested - built)) s," \
  "window suites $((windowed - tested)) s; $((SECONDS - started)) s in all"
