#!/usr/bin/env bash
# Installs the dependencies, builds everything in build/ (or $BUILD_DIR) and runs every
# test label: unit, pixel and integration. Extra arguments go to cmake. Integration tests
# need an X display; when none is set, a private Xvfb serves the run and is stopped after.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
BUILD_DIR="${BUILD_DIR:-build}"

bash scripts/install-deps.sh

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZU_WERROR=ON "$@"
cmake --build "$BUILD_DIR" -j "$JOBS"

xvfb_pid=""
stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap stop_xvfb EXIT

if [ -z "${DISPLAY:-}" ]; then
  # The screen is wider than the display window (1760 wide at 14,115), so it is shown whole.
  # Pick the first free display number from 99 up so parallel runs do not collide.
  # -noreset: without it the server resets whenever its last client leaves, and a test that
  # connects at that moment is refused.
  num=99
  while [ -e "/tmp/.X11-unix/X$num" ] || [ -e "/tmp/.X$num-lock" ]; do num=$((num + 1)); done
  Xvfb ":$num" -screen 0 2560x1440x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$num"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$num" ] && break
    sleep 0.1
  done
  echo "test: started Xvfb on $DISPLAY"
fi

if ! ctest --test-dir "$BUILD_DIR" -N | grep -q '^Total Tests: [1-9]'; then
  echo "test: no tests registered yet"
  exit 0
fi
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
