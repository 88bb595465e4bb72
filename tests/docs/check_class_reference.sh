#!/usr/bin/env bash
# Fails when the committed class reference differs from what the program writes now.
#   check_class_reference.sh ZU_CLASS_REFERENCE DOCS/classes.md
set -u
program=$1 doc=$2
fresh="$(mktemp)"
trap 'rm -f "$fresh"' EXIT
"$program" "$fresh" || { echo "zu-class-reference failed"; exit 1; }
if ! diff -u "$doc" "$fresh" | head -n 60; then :; fi
if ! cmp -s "$doc" "$fresh"; then
  echo "docs/classes.md is stale: run 'cmake --build build --target class-reference' and commit it"
  exit 1
fi
echo "docs/classes.md is current"
