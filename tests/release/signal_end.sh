#!/usr/bin/env bash
# The program ended from outside: started on the offscreen platform in an empty directory, sent
# SIGTERM (or the signal named as the second argument) once its window is up, it must end in order:
# exit code 0, nothing on standard output or standard error, no file left behind.
# Usage: signal_end.sh EXECUTABLE [SIGNAL]
set -euo pipefail
exe=$(realpath "$1") sig=${2:-TERM}
work=$(mktemp -d) runtime=$(mktemp -d)
trap 'rm -rf "$work" "$runtime"' EXIT
chmod 700 "$runtime"
cd "$work"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime "$exe" >"$runtime/out" 2>"$runtime/err" &
pid=$!
sleep 2 # the window is built and shown long before this
kill -s "$sig" "$pid"
status=0
wait "$pid" || status=$?
fail=0
[ "$status" -eq 0 ] || { echo "exit code $status after SIG$sig, expected 0"; fail=1; }
[ ! -s "$runtime/out" ] || { echo "wrote to standard output:"; cat "$runtime/out"; fail=1; }
[ ! -s "$runtime/err" ] || { echo "wrote to standard error:"; cat "$runtime/err"; fail=1; }
[ -z "$(ls -A "$work")" ] || { echo "left files behind: $(ls -A "$work")"; fail=1; }
[ "$fail" -eq 0 ] && echo "SIG$sig ended the program in order: exit code 0, no output, no file"
exit "$fail"
