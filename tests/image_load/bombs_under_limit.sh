#!/usr/bin/env bash
# Loads every image bomb among the decoder's fuzz seeds under a 1 GiB address-space limit:
# each must fail cleanly (exit 1), never abort or be killed. Every other seed that is a
# valid image must still load under the same limit.
set -u
tool="$1"
seeds="$2"
limit=$((1 << 30))
failed=0
for f in "$seeds"/bomb-*; do
  prlimit --as="$limit" "$tool" "$f" >/dev/null 2>&1
  rc=$?
  if [ "$rc" -ne 1 ]; then
    echo "FAIL: $(basename "$f") exited $rc, expected a clean failure (1)"
    failed=1
  fi
done
for f in "$seeds"/seed.* "$seeds"/tiff-* "$seeds"/gif-* "$seeds"/ico-* "$seeds"/jpeg-*; do
  if ! out="$(prlimit --as="$limit" "$tool" "$f" 2>&1)"; then
    echo "FAIL: $(basename "$f") did not load: $out"
    failed=1
  fi
done
exit "$failed"
