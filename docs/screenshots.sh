#!/usr/bin/env bash
# Renders docs/main-window.png and docs/editor-window.png: the editor started on
# a copy of examples/demo.bytes under Xvfb, with the WenQuanYi Micro Hei font,
# then the first general opened in the editor by a double-click.
# Needs the packages of scripts/packages/ui.txt and a built build/ (or BUILD=dir).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD:-build}"
editor="$build/ui/sg8gen-editor"
[ -x "$editor" ] || { echo "screenshots: build the editor first ($editor)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp examples/demo.bytes "$work/demo.bytes"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
export DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

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

"$editor" "$work/demo.bytes" &
app=$!

wait_for_window() {
  for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)"
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "screenshots: no window named $1" >&2
  exit 1
}

main="$(wait_for_window 'Tarvo')"
sleep 1  # the load runs on a worker; let the rows arrive and be drawn
import -window "$main" docs/main-window.png

# Double-click the first row (row 0 lies just below the list's header).
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove "$((X + 60))" "$((Y + 48 + 30))" click 1 sleep 0.2 click --repeat 2 --delay 80 1
editorWindow="$(wait_for_window '自创武将')"
sleep 0.5
import -window "$editorWindow" docs/editor-window.png
echo "screenshots: wrote docs/main-window.png and docs/editor-window.png"
