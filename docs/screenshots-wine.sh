#!/usr/bin/env bash
# Renders docs/main-window-wine.png and docs/editor-window-wine.png: the Windows
# editor (build-win/sg8gen-editor.exe, from scripts/test.d/50-windows.sh) started
# under Wine on a copy of examples/demo.bytes, under Xvfb and Openbox, then the
# first general opened in the editor by a double-click.
# Needs the packages of scripts/packages/ui.txt and windows.txt (BUILD_WIN=dir for
# another build folder).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${BUILD_WIN:-build-win}"
editor="$out/sg8gen-editor.exe"
[ -f "$editor" ] || { echo "screenshots-wine: build the Windows editor first ($editor)" >&2; exit 1; }

export LC_ALL=C.UTF-8 LANG=C.UTF-8 WINEPREFIX="$out/wineprefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" PATH="$PATH:/usr/lib/wine"
work="$(mktemp -d)"
trap 'kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
cp examples/demo.bytes "$work/demo.bytes"
export SG8GEN_BACKUP_DIR="$work/history"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

wine64 "$editor" "$work/demo.bytes" >"$work/editor.log" 2>&1 &
app=$!

wait_for_window() {
  for _ in $(seq 300); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "screenshots-wine: no window named $1" >&2
  cat "$work/editor.log" >&2
  exit 1
}

main="$(wait_for_window 'Tarvo')"
sleep 2  # the load runs on a worker; let the rows arrive and be drawn
import -frame -window "$main" docs/main-window-wine.png

# Double-click the first row: the list starts 48 pixels down, under its header.
xdotool mousemove --window "$main" 60 75 click 1 sleep 0.2 click --repeat 2 --delay 80 1
editorWindow="$(wait_for_window '自创武将')"
sleep 1
import -frame -window "$editorWindow" docs/editor-window-wine.png
echo "screenshots-wine: wrote docs/main-window-wine.png and docs/editor-window-wine.png"
