#!/usr/bin/env bash
# ./run as a newcomer meets it: without a graphical session it says so in one line before doing
# anything; with one it builds the program in a tree of its own, and that tree holds no test
# executable; a second call installs and rebuilds nothing.
# Usage: run_tree.sh SOURCE_DIR TREE VERSION
set -euo pipefail
src=$1 tree=$2 version=$3
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail=0
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
    echo "$name: exit code $status, expected $code"; fail=1
  elif [ "$last" != "$expected_out" ]; then
    echo "$name: last line of standard output '$last', expected '$expected_out'"; fail=1
  elif ! grep -Eq "$expected_err" <<<"$messages"; then
    echo "$name: nothing matched '$expected_err' in:"; cat "$out" "$err"; fail=1
  elif grep -q '^Installing:' <<<"$messages"; then
    echo "$name: installed packages though all were there"; fail=1
  fi
  if [ "$name" = "no graphical session" ]; then
    [ "$(wc -l <"$err")" -eq 1 ] || { echo "$name: not one line on standard error"; fail=1; }
    [ ! -e "$tree" ] || { echo "$name: configured a tree though it could not start"; fail=1; }
  fi
done

# Every ELF executable the build made outside CMake's own probes: only the program.
while IFS= read -r -d '' f; do
  [ "$(head -c 4 "$f")" = $'\x7fELF' ] || continue
  [ "$f" = "$tree/tarvello16bit" ] || { echo "./run's tree holds an executable besides the program: $f"; fail=1; }
done < <(find "$tree" -path '*/CMakeFiles' -prune -o -type f -perm -u+x -print0)
grep -q '^TARVELLO_TESTS:BOOL=OFF$' "$tree/CMakeCache.txt" || { echo "./run's tree is configured with tests"; fail=1; }

[ "$fail" -eq 0 ] && echo "./run refuses without a session, builds only the program, and builds nothing twice"
exit "$fail"
