#!/usr/bin/env bash
# Renders the README's pictures into docs/: the display program as it shows a message
# (run on a private Xvfb, the text handed over by quillorn-send, the screen captured) and
# the gallery of controls (zu-render, half a second in, when the entry animations have
# settled). Fonts are pinned to tests/fonts.conf so the pictures only change when what the
# library draws changes. Needs a built tree (BUILD_DIR, default build/); run it again after
# a change of look and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
export FONTCONFIG_FILE="$PWD/tests/fonts.conf"
mkdir -p docs

"$BUILD_DIR/app/zu-render" resources/gallery.txt docs/gallery.png --at 500

num=120
while [ -e "/tmp/.X11-unix/X$num" ] || [ -e "/tmp/.X$num-lock" ]; do num=$((num + 1)); done
Xvfb ":$num" -screen 0 800x200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
display_pid=""
log_dir="$(mktemp -d)"
cleanup() {
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$log_dir"
}
trap cleanup EXIT
export DISPLAY=":$num"
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$num" ] && break
  sleep 0.1
done
# The display writes its message log into its current directory: keep it out of the tree.
display_exe="$(realpath "$BUILD_DIR/app/quillorn-display")"
(cd "$log_dir" && exec "$display_exe" \
  0 0 640 120 44 1 '#FFF5C116' '#FF000000' '#FF3A3A48' '#FF4DF4FF' 10 F) &
display_pid=$!
sent=""
for _ in $(seq 100); do
  if "$BUILD_DIR/app/quillorn-send" --timeout 200 "Quillorn" "draws this" >/dev/null 2>&1; then
    sent=1
    break
  fi
  sleep 0.1
done
[ -n "$sent" ] || { echo "screenshots: the display did not answer" >&2; exit 1; }
sleep 0.5
import -window root -crop 640x120+0+0 +repage docs/display.png
echo "screenshots: wrote docs/display.png and docs/gallery.png"
