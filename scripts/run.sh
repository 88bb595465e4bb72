#!/usr/bin/env bash
# Installs the dependencies, builds everything in build/ and starts quillorn-display.
# Arguments go to the display program. Without a desktop (no DISPLAY), the program runs
# on a private Xvfb; send it text from another shell with build/app/quillorn-send.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
BUILD_DIR="${BUILD_DIR:-build}"

bash scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j "$JOBS"

display_exe="$(find "$BUILD_DIR" -type f -name quillorn-display -perm -u+x | head -n 1)"
if [ -z "$display_exe" ]; then
  echo
  echo "run: quillorn-display is not built yet; this is what the build produced:"
  echo "libraries:"
  find "$BUILD_DIR" -name '*.a' -printf '  %P\n' | sort
  echo "programs:"
  find "$BUILD_DIR" -type f -perm -u+x \( -name '*_tests' -o -name 'bench_*' -o -name 'fuzz_*' -o -name 'quillorn-*' \) \
    -printf '  %P\n' | sort
  echo "tests registered with ctest: $(ctest --test-dir "$BUILD_DIR" -N | sed -n 's/^Total Tests: //p')"
  exit 0
fi

send_exe="$(dirname "$display_exe")/quillorn-send"
if [ -z "${DISPLAY:-}" ]; then
  num=99
  while [ -e "/tmp/.X11-unix/X$num" ] || [ -e "/tmp/.X$num-lock" ]; do num=$((num + 1)); done
  Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  export DISPLAY=":$num"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$num" ] && break
    sleep 0.1
  done
  echo "run: no desktop, showing on Xvfb $DISPLAY"
fi
echo "run: starting $display_exe (send text with: DISPLAY=$DISPLAY $send_exe ...)"
"$display_exe" "$@"
