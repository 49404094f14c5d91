#!/usr/bin/env bash
# The test-only build of the program ended from outside while one of its boxes is open, started on
# the offscreen platform in an empty directory. Cases:
#   error-box    the left button pressed, SIGTERM while the error box waits: the box ends as with
#                the log, the log is complete, its report goes to standard error, exit code 1
#   hard-link    the same with MRVERROR.LOG a second name of a file elsewhere: that file keeps
#                what it holds, the log goes to MRVERROR.001
#   size-limit   the same under a file-size limit below the log's size: no death by SIGXFSZ, the
#                partial log kept and told incomplete, exit code 1
#   engine-alert an engine that cannot load, SIGTERM while start-up's alert waits: start-up goes
#                on to its orderly end, exit code 0, no file
# Usage: box_signal_end.sh FAULT_EXECUTABLE CASE
set -euo pipefail
exe=$(realpath "$1") case=$2
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
mkdir -m 700 "$top/xdg" && mkdir "$top/work" && cd "$top/work"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$top/xdg
fail=0
check() { if ! eval "$2"; then echo "FAILED: $1"; fail=1; fi; }

# Starts the program with the given environment, sends SIGTERM after $1 seconds, sets $status.
run() {
    local pause=$1; shift
    (trap - EXIT && exec env "$@" "$exe" >"$top/out" 2>"$top/err") &
    local pid=$!
    sleep "$pause"
    kill -s TERM "$pid" 2>/dev/null || true
    # A box that still waits for an answer would keep the program alive: the session manager
    # kills it a few seconds later, and so does this test.
    (trap - EXIT && sleep 10 && kill -s KILL "$pid") >/dev/null 2>&1 &
    local watchdog=$!
    status=0
    wait "$pid" || status=$?
    kill "$watchdog" 2>/dev/null || true
}

complete_log() { tail -c 40 "$1" | grep -qa 'Aufgerufen von MAIN([0-9]*)'$'\r'; }

case $case in
error-box)
    run 2 TARVELLO_FAULT_PRESS_LEFT=1
    check "exit code 1, was $status" '[ "$status" -eq 1 ]'
    check "a complete MRVERROR.LOG" 'complete_log MRVERROR.LOG'
    check "the report on standard error" \
        'grep -qx "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben" "$top/err"'
    ;;
hard-link)
    printf 'kept elsewhere' >"$top/elsewhere"
    ln "$top/elsewhere" MRVERROR.LOG
    run 2 TARVELLO_FAULT_PRESS_LEFT=1
    check "exit code 1, was $status" '[ "$status" -eq 1 ]'
    check "the linked file untouched" '[ "$(cat "$top/elsewhere")" = "kept elsewhere" ]'
    check "the log under the next name" 'complete_log MRVERROR.001'
    check "the report names it" \
        'grep -qx "Fehlerprotokoll wurde in die Datei MRVERROR.001 geschrieben" "$top/err"'
    ;;
size-limit)
    (ulimit -f 1 && run 2 TARVELLO_FAULT_PRESS_LEFT=1 && exit "$status") && status=0 || status=$?
    check "exit code 1 (not death by SIGXFSZ), was $status" '[ "$status" -eq 1 ]'
    check "the partial log kept" '[ "$(stat -c %s MRVERROR.LOG)" -eq 1024 ]'
    check "told incomplete" 'grep -q "nicht vollständig in die Datei MRVERROR.LOG" "$top/err"'
    ;;
engine-alert)
    run 2 TARVELLO_FAULT_UNAVAILABLE_ENGINE=DELDBE
    check "exit code 0, was $status" '[ "$status" -eq 0 ]'
    check "no file left" '[ -z "$(ls -A)" ]'
    check "no report" '! grep -q Fehlerprotokoll "$top/err"'
    ;;
*)
    echo "unknown case $case"
    exit 2
    ;;
esac
[ "$fail" -eq 0 ] && echo "$case: ended in order"
exit "$fail"
