#!/usr/bin/env bash
# ./run as a newcomer meets it: without a graphical session it says so in one line before doing
# anything; with one it builds the program in a tree of its own, and that tree holds no test
# executable; a second call installs and rebuilds nothing.
# Usage: run_tree.sh SOURCE_DIR TREE VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
src=$1 tree=$2 version=$3
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
rm -rf "$tree"

# name | arguments | exit code | what standard output must be | what standard error must match
rows=(
  "no graphical session||1||needs a graphical session.*DISPLAY.*WAYLAND_DISPLAY"
  "first call builds the program|--version|0|tarvello16bit $version|Linking CXX executable tarvello16bit"
  "second call builds nothing|--version|0|tarvello16bit $version|no work to do"
)
for row in "${rows[@]}"; do
  IFS='|' read -r name args code expected_out expected_err <<<"$row"
  status=0
  # shellcheck disable=SC2086
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TARVELLO_RUN_DIR="$tree" \
    "$src/run" $args >"$out" 2>"$err" </dev/null || status=$?
  # The build's progress goes to standard output before the program's answer; the answer is last.
  last=$(tail -n 1 "$out")
  messages=$(cat "$out" "$err")
  if [ "$status" -ne "$code" ]; then
    failure "$name: exit code $status, expected $code"
  elif [ "$last" != "$expected_out" ]; then
    failure "$name: last line of standard output '$last', expected '$expected_out'"
  elif ! grep -Eq "$expected_err" <<<"$messages"; then
    failure "$name: nothing matched '$expected_err' in:"; cat "$out" "$err"
  elif grep -q '^Installing:' <<<"$messages"; then
    failure "$name: installed packages though all were there"
  fi
  if [ "$name" = "no graphical session" ]; then
    check "$name: one line on standard error" [ "$(wc -l <"$err")" -eq 1 ]
    check "$name: no tree configured, as it could not start" [ ! -e "$tree" ]
  fi
done

# Every ELF executable the build made outside CMake's own probes: only the program.
while IFS= read -r -d '' f; do
  [ "$(head -c 4 "$f")" = $'\x7fELF' ] || continue
  check "./run's tree holds no executable besides the program, found $f" [ "$f" = "$tree/tarvello16bit" ]
done < <(find "$tree" -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print0)
check "./run's tree is configured without tests" grep -q '^TARVELLO_TESTS:BOOL=OFF$' "$tree/CMakeCache.txt"

[ "$failed" -eq 0 ] && echo "./run refuses without a session, builds only the program, and builds nothing twice"
exit $((failed > 0))
