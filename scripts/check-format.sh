#!/usr/bin/env bash
# Checks that every C++ file of the repository follows .clang-format; prints the files that
# do not. With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.h' '*.cpp' 2>/dev/null || find . -name '*.h' -o -name '*.cpp')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
done
if [ ${#bad[@]} -gt 0 ]; then
  printf '%s\n' "${bad[@]}"
  echo "check-format: ${#bad[@]} file(s) differ from .clang-format; scripts/check-format.sh --fix formats them"
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
