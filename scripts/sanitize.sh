#!/usr/bin/env bash
# Builds and runs every test with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/. Leak checking is on; the suppressions cover only the process-lifetime
# caches of the system libraries (fontconfig, Pango, GLib, GTK), never our own code.
set -euo pipefail
cd "$(dirname "$0")/.."

export BUILD_DIR="${BUILD_DIR:-build-asan}"
mkdir -p "$BUILD_DIR"
supp="$PWD/$BUILD_DIR/lsan.supp"
cat > "$supp" <<'SUPP'
leak:libfontconfig.so
leak:libpango-1.0.so
leak:libpangocairo-1.0.so
leak:libpangoft2-1.0.so
leak:libcairo.so
leak:libglib-2.0.so
leak:libgobject-2.0.so
leak:libgio-2.0.so
leak:libgdk_pixbuf-2.0.so
leak:libgtk-3.so
leak:libgdk-3.so
leak:libX11.so
leak:libharfbuzz.so
leak:libfreetype.so
leak:libdbus-1.so
SUPP

export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# -O1 halves the compile time of instrumented code against -O2 and keeps stacks exact.
exec bash scripts/test.sh -DZU_SANITIZE=ON -DZU_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" "$@"
