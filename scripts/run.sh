#!/usr/bin/env bash
# Installs the dependencies, builds the library and the programs it runs in build/ (not the
# tests or benchmarks: scripts/test.sh builds those) and starts quillorn-display with a
# demo look (or with the twelve parameters given as arguments). On a desktop the window
# stays until it is closed; send it text with build/app/quillorn-send LINE1 LINE2. Without
# a desktop (no DISPLAY), it runs on a private Xvfb, receives one demo message, and a
# screenshot of the screen is written to build/quillorn-display-demo.png. The display's
# log, tst.txt, goes to build/.
# "scripts/run.sh gallery" instead opens resources/gallery.txt, every control in the default
# style, live in zu-view (on a desktop; without one it renders the gallery to
# build/gallery.png with zu-render).
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
BUILD_DIR="${BUILD_DIR:-build}"

bash scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only what this script runs; the library comes with them.
cmake --build "$BUILD_DIR" -j "$JOBS" --target quillorn-display quillorn-send zu-view zu-render

if [ "${1:-}" = "gallery" ]; then
  if [ -n "${DISPLAY:-}" ]; then
    exec "$BUILD_DIR/app/zu-view" resources/gallery.txt --title "Quillorn gallery"
  fi
  "$BUILD_DIR/app/zu-render" resources/gallery.txt "$BUILD_DIR/gallery.png" --at 500
  echo "run: no desktop; the gallery is rendered to $BUILD_DIR/gallery.png"
  exit 0
fi

display_exe="$(realpath "$BUILD_DIR/app/quillorn-display")"
send_exe="$(dirname "$display_exe")/quillorn-send"
# The display writes its log, tst.txt, into its current directory: the build directory.
cd "$BUILD_DIR"
# Left, top, width, height, font size, bold, text, background, panel and stroke colours,
# blur softness in hundredths, stretch flag.
params=("$@")
if [ ${#params[@]} -eq 0 ]; then
  params=(20 20 900 160 64 1 '#FFF5C116' '#FF000000' '#FF3A3A48' '#FF4DF4FF' 10 F)
fi

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting $display_exe (send text with: $send_exe LINE1 LINE2)"
  exec "$display_exe" "${params[@]}"
fi

num=99
while [ -e "/tmp/.X11-unix/X$num" ] || [ -e "/tmp/.X$num-lock" ]; do num=$((num + 1)); done
Xvfb ":$num" -screen 0 2560x1440x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
display_pid=""
cleanup() {
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$num"
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$num" ] && break
  sleep 0.1
done
echo "run: no desktop, showing on Xvfb $DISPLAY"
"$display_exe" "${params[@]}" &
display_pid=$!
for _ in $(seq 100); do
  "$send_exe" --timeout 200 "Hello from" "quillorn-send" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
shot="$PWD/quillorn-display-demo.png"
import -window root "$shot"
echo "run: sent a demo message; the log is $PWD/tst.txt, the screenshot is $shot"
