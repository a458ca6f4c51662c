#!/usr/bin/env bash
# Renders docs/main-window.png, docs/editor-window.png, docs/main-search.png and
# docs/backups-window.png: the editor started on a copy of examples/demo.bytes
# (saved three times by sg8gen first, so that it has a backup history) under Xvfb
# and Openbox, with the WenQuanYi Micro Hei font; the first general opened by a
# double-click; then the list sorted by 武力 and searched; then 备份….
# Needs the packages of scripts/packages/ui.txt and a built build/ (or BUILD=dir).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD:-build}"
editor="$build/ui/sg8gen-editor"
[ -x "$editor" ] || { echo "screenshots: build the editor first ($editor)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp examples/demo.bytes "$work/demo.bytes"
export SG8GEN_BACKUP_DIR="$work/history"
for lifespan in 60 61 62; do
  "$build/cli/sg8gen" set "$work/demo.bytes" --index 1 "lifespan=$lifespan" >/dev/null
  sleep 1  # versions are named by the second
done

# Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A window manager draws the title bars, so the captions show.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

# Qt picks the font through fontconfig; name the CJK one so the rendering doesn't
# depend on what else is installed.
mkdir -p "$work/fontconfig"
cat > "$work/fontconfig/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <alias><family>sans-serif</family><prefer><family>WenQuanYi Micro Hei</family></prefer></alias>
</fontconfig>
CONF
export FONTCONFIG_FILE="$work/fontconfig/fonts.conf"

"$editor" "$work/demo.bytes" 2>"$work/editor.log" &
app=$!

wait_for_window() {
  for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "screenshots: no window named $1" >&2
  cat "$work/editor.log" >&2
  kill -0 "$app" 2>/dev/null && echo "(the editor is running)" >&2
  exit 1
}

main="$(wait_for_window 'Tarvo')"
sleep 1  # the load runs on a worker; let the rows arrive and be drawn
import -frame -window "$main" docs/main-window.png

# Double-click the first row: the list starts 48 pixels down, under its header.
xdotool mousemove --window "$main" 60 75 click 1 sleep 0.2 click --repeat 2 --delay 80 1
editorWindow="$(wait_for_window '自创武将')"
sleep 0.5
import -frame -window "$editorWindow" docs/editor-window.png
xdotool key --window "$editorWindow" Escape
sleep 0.5

# Sort by 武力 (column 6: the header's middle) and search for a surname.
xdotool mousemove --window "$main" 393 58 click 1
sleep 0.3
xdotool mousemove --window "$main" 680 24 click 1
sleep 0.2
xdotool type --delay 100 "赵"
sleep 0.5
import -frame -window "$main" docs/main-search.png

xdotool mousemove --window "$main" 312 24 click 1
backups="$(wait_for_window '备份历史')"
sleep 0.5
import -frame -window "$backups" docs/backups-window.png
echo "screenshots: wrote docs/main-window.png, docs/editor-window.png, docs/main-search.png and docs/backups-window.png"
