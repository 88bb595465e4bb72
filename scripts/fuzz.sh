#!/usr/bin/env bash
# Builds every libFuzzer target with clang in build-fuzz/ and runs each one for a fixed
# time (FUZZ_SECONDS, default 30). A target's seeds come from fuzz/corpus/<name>/ and are
# copied to a scratch corpus, so new inputs never land in the repository. Any crash, leak,
# timeout or sanitizer report fails the run; the reproducer is kept under build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
BUILD_DIR="${BUILD_DIR:-build-fuzz}"
SECONDS_PER_TARGET="${FUZZ_SECONDS:-30}"

bash scripts/install-deps.sh

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZU_FUZZ=ON -DZU_WERROR=ON -DZU_TESTS=OFF -DZU_BENCH=OFF "$@"

# Build only the fuzz programs (and what they link); the rest is not needed here.
mapfile -t targets < <(cmake --build "$BUILD_DIR" --target help | sed -n 's/^\(fuzz_[A-Za-z0-9_]*\):.*/\1/p' | sort -u)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz targets yet"
  exit 0
fi
cmake --build "$BUILD_DIR" -j "$JOBS" --target "${targets[@]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Targets that paint text reach the font libraries, whose process-lifetime caches the leak
# check must not count; leaks of our own code still fail the run.
supp="$work/lsan.supp"
printf 'leak:%s\n' libfontconfig.so libpango-1.0.so libpangocairo-1.0.so libpangoft2-1.0.so libcairo.so \
  libglib-2.0.so libgobject-2.0.so libharfbuzz.so libfreetype.so libgdk_pixbuf-2.0.so >"$supp"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
artifacts="$PWD/$BUILD_DIR/artifacts"
mkdir -p "$artifacts"

failed=()
for t in "${targets[@]}"; do
  name="${t#fuzz_}"
  corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -d "fuzz/corpus/$name" ]; then
    cp -r "fuzz/corpus/$name/." "$corpus/"
  fi
  echo "fuzz: $t for ${SECONDS_PER_TARGET}s ($(find "$corpus" -type f | wc -l) seeds)"
  exe="$(find "$BUILD_DIR" -type f -name "$t" -perm -u+x | head -n 1)"
  if ! "$exe" "$corpus" -max_total_time="$SECONDS_PER_TARGET" \
      -rss_limit_mb=2048 -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log"
    failed+=("$t")
  else
    grep -E '^(Done|stat::number_of_executed_units)' "$work/$name.log" || true
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: FAILED: ${failed[*]} (reproducers in $artifacts)"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran clean"
