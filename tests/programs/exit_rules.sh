#!/usr/bin/env bash
# The command-line rule every program follows: --help and --version print to standard
# output and exit 0; a usage error prints one line and the usage to standard error and
# exits 2; a runtime failure prints one line and exits 1; nothing ends on a signal. Inputs
# that claim huge frames run under a 1 GiB address-space limit and must end the same way.
#
#   exit_rules.sh DISPLAY SEND RENDER STREAM VIEW [LIMIT]   (LIMIT 0 skips the address
#                                                   limit, which sanitizer builds cannot take)
set -u
display=$1 send=$2 render=$3 stream=$4 view=$5 limit=${6:-1}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect STATUS OUT ERR COMMAND...: OUT is text or empty (standard output), ERR none,
# line (exactly one line) or usage (a line naming the program, then the usage).
expect() {
  local want=$1 out=$2 err=$3
  shift 3
  "$@" >"$work/out" 2>"$work/err" </dev/null
  local got=$?
  local name
  name="$(basename "$1")"
  [ "$1" = env ] && name="$(basename "${@: -1}")"
  [ "$got" = "$want" ] || fail "$* exited $got, not $want; stderr: $(head -c 400 "$work/err")"
  case $out in
    empty) [ ! -s "$work/out" ] || fail "$*: standard output: $(head -c 200 "$work/out")" ;;
    text) [ -s "$work/out" ] || fail "$*: nothing on standard output" ;;
  esac
  local lines
  lines="$(wc -l <"$work/err")"
  case $err in
    none) [ ! -s "$work/err" ] || fail "$*: standard error: $(head -c 400 "$work/err")" ;;
    line) [ "$lines" = 1 ] || fail "$*: not one line on standard error: $(head -c 400 "$work/err")" ;;
    usage)
      if [ "$lines" -lt 3 ] || ! grep -qi '^usage:' "$work/err"; then
        fail "$*: no usage on standard error: $(head -c 400 "$work/err")"
      fi ;;
  esac
  if [ "$err" != none ] && ! head -n 1 "$work/err" | grep -q "^[a-z-]*: "; then
    fail "$*: the first line does not name the program: $(head -n 1 "$work/err")"
  fi
}

for program in "$display" "$send" "$render" "$stream" "$view"; do
  expect 0 text none "$program" --help
  expect 0 text none "$program" --version
  grep -q "^$(basename "$program") [0-9]" "$work/out" || fail "$program --version: $(cat "$work/out")"
done

printf 'object zuScene1: TzuScene\n  Width = 64\n  Height = 24\nend\n' >"$work/scene.txt"
# 104 bytes whose root claims a frame of 10^9 x 10^9.
printf "object Root1: TzuBackground\n  Width = 1000000000.0\n  Height = 1000000000.0\n  Fill.Color = '#FF102030'\nend\n" >"$work/huge.txt"
printf 'object A: %s\nend\n' "$(head -c 240 /dev/zero | tr '\0' T)" >"$work/long_class.txt"
params=(0 0 400 100 40 1 '#FF102030' '#FF000000' '#FFBEBEBE' '#FF4DF4FF' 0 F)
huge_params=(0 0 16384 16384 40 1 '#FF102030' '#FF000000' '#FFBEBEBE' '#FF4DF4FF' 0 F)

# Usage errors.
expect 2 empty usage "$display" --snapshot
expect 2 empty usage "$send" --timeout 2147483648 a b
expect 2 empty usage "$send" --timeout -1 a b
expect 2 empty usage "$send" --timeout 5x a b
expect 2 empty usage "$send" --tag 4294967296 a b
expect 2 empty usage "$send" --tag
expect 2 empty usage "$send" --bogus a b
expect 2 empty usage "$send" only-one
expect 2 empty usage "$send" --raw "$work/scene.txt" a
expect 2 empty usage "$render"
expect 2 empty usage "$render" "$work/scene.txt" "$work/out.png" --size 0x5
expect 2 empty usage "$render" "$work/scene.txt" "$work/out.png" --size 16384x16384
expect 2 empty usage "$render" "$work/scene.txt" "$work/out.png" --bogus
expect 2 empty usage "$render" a b c
expect 2 empty usage "$stream"
expect 2 empty usage "$stream" frob a b
expect 2 empty usage "$stream" totext a
expect 2 empty usage "$view"
expect 2 empty usage "$view" "$work/scene.txt" --bogus
expect 2 empty usage "$view" "$work/scene.txt" --size 0x5

# Runtime failures.
expect 1 empty line env -u DISPLAY "$display" "${params[@]}"
grep -q "cannot open the display .*; set DISPLAY or use --snapshot" "$work/err" || fail "display message: $(cat "$work/err")"
expect 1 empty line env DISPLAY=:32761 "$display" "${params[@]}"
expect 1 empty line "$display" --snapshot "$work/big.png" "${huge_params[@]}"
expect 1 empty line "$display" --snapshot "$work/no/such/dir.png" "${params[@]}"
expect 1 empty line "$send" --raw /tmp
expect 1 empty line "$send" --raw "$work/missing"
expect 1 empty line env -u DISPLAY "$send" a b
expect 1 empty line "$render" "$work/missing.txt" "$work/out.png"
expect 1 empty line "$render" /tmp "$work/out.png"
expect 1 empty line "$render" "$work/huge.txt" "$work/out.png"
expect 1 empty line "$render" "$work/scene.txt" "$work/no/such/dir.png"
expect 1 empty line "$stream" totext "$work/missing" "$work/out.txt"
expect 1 empty line "$stream" tobinary "$work/long_class.txt" "$work/out.bin"
grep -q "class name longer than 239" "$work/err" || fail "long class name message: $(cat "$work/err")"
expect 1 empty line "$view" "$work/missing.txt"
expect 1 empty line env -u DISPLAY "$view" "$work/scene.txt"

# A scene that does not load is reported with the reason, as zu-stream check gives it.
printf 'object S: TzuScene\n  Width = 64\n  Height = 24\n  object B: TzuNoSuchBox\n  end\nend\n' >"$work/unknown.txt"
printf 'object S: TzuScene\n  Width = 64\n  object R: TzuRectangle\n    Opacity = 0.5\nend\n' >"$work/cut.txt"
printf 'object S: TzuNoSuchScene\nend\n' >"$work/unknown_root.txt"
for case in "unknown:Class TzuNoSuchBox not found" "cut:Syntax error at line 6" \
  "unknown_root:Class TzuNoSuchScene not found"; do
  file="$work/${case%%:*}.txt" reason="${case#*:}"
  "$stream" check "$file" | grep -qF "$reason" || fail "zu-stream check $file: $("$stream" check "$file")"
  expect 1 empty line "$render" "$file" "$work/out.png"
  grep -qF "$reason" "$work/err" || fail "zu-render on $file: $(cat "$work/err")"
  if [ -n "${DISPLAY:-}" ]; then
    expect 1 empty line "$view" "$file"
    grep -qF "$reason" "$work/err" || fail "zu-view on $file: $(cat "$work/err")"
  fi
done
# The help and the errors of --at and @MS give one range.
"$render" --help >"$work/help"
range="$(grep -o '0 to [0-9]*' "$work/help" | sort -u)"
[ "$(echo "$range" | wc -l)" = 1 ] || fail "zu-render --help gives the ranges: $range"
expect 2 empty usage "$render" "$work/scene.txt" "$work/out.png" --at 3600001
grep -q "from $range" "$work/err" || fail "--at error: $(head -n 1 "$work/err")"
expect 2 empty usage "$render" "$work/scene.txt" "$work/out.png" --click 1,1@3600001
grep -q "from $range" "$work/err" || fail "@MS error: $(head -n 1 "$work/err")"
# A snapshot shows the two lines it is given.
expect 2 empty usage "$display" --snapshot "$work/snap.png" --text only-one
expect 0 empty none "$display" --snapshot "$work/plain.png" "${params[@]}"
expect 0 empty none "$display" --snapshot "$work/text.png" --text Hello World "${params[@]}"
cmp -s "$work/plain.png" "$work/text.png" && fail "--text left the snapshot as it was"

# And the good paths still work.
expect 0 empty none "$render" "$work/scene.txt" "$work/out.png" --size 40x20
expect 0 empty none "$display" --snapshot "$work/snap.png" "${params[@]}"

if [ "$limit" != 0 ]; then
  as=$((1024 * 1024 * 1024))
  expect 1 empty line prlimit --as=$as "$render" "$work/huge.txt" "$work/out.png"
  expect 2 empty usage prlimit --as=$as "$render" "$work/scene.txt" "$work/out.png" --size 16384x16384
  expect 1 empty line prlimit --as=$as "$display" --snapshot "$work/big.png" "${huge_params[@]}"
  # The largest frame allowed fits under the same limit.
  expect 0 empty none prlimit --as=$as "$render" "$work/scene.txt" "$work/out.png" --size 8192x4096
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "every program follows the exit rules"
