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
# Usage: box_signal_end.sh TEST_ONLY_EXECUTABLE CASE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
exe=$(realpath "$1") case=$2
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
work=$top/work err=$top/err
mkdir "$work"

# Starts the program with the given environment and sends SIGTERM once its box is up; sets $status.
run() {
    start_program "$top" "$@" "$exe"
    sleep 2 # the window and the box are up long before this
    end_program "$pid" TERM
}

# shellcheck disable=SC2317 # called through check
complete_log() { tail -c 40 "$1" | grep -qa 'Aufgerufen von MAIN([0-9]*)'$'\r'; }
# shellcheck disable=SC2317 # called through check
the_report() { grep -qx "Fehlerprotokoll wurde in die Datei $1 geschrieben" "$err"; }

case $case in
error-box)
    run TARVELLO_FAULT_PRESS_LEFT=1
    check "exit code 1, was $status" [ "$status" -eq 1 ]
    check "a complete MRVERROR.LOG" complete_log "$work/MRVERROR.LOG"
    check "the report on standard error" the_report MRVERROR.LOG
    ;;
hard-link)
    printf 'kept elsewhere' >"$top/elsewhere"
    ln "$top/elsewhere" "$work/MRVERROR.LOG"
    run TARVELLO_FAULT_PRESS_LEFT=1
    check "exit code 1, was $status" [ "$status" -eq 1 ]
    check "the linked file untouched" [ "$(cat "$top/elsewhere")" = "kept elsewhere" ]
    check "the log under the next name" complete_log "$work/MRVERROR.001"
    check "the report names it" the_report MRVERROR.001
    ;;
size-limit)
    (ulimit -f 1 && run TARVELLO_FAULT_PRESS_LEFT=1 && exit "$status") && status=0 || status=$?
    check "exit code 1 (not death by SIGXFSZ), was $status" [ "$status" -eq 1 ]
    check "the partial log kept" [ "$(stat -c %s "$work/MRVERROR.LOG")" -eq 1024 ]
    check "told incomplete" grep -q "nicht vollständig in die Datei MRVERROR.LOG" "$err"
    ;;
engine-alert)
    run TARVELLO_FAULT_UNAVAILABLE_ENGINE=DELDBE
    check "exit code 0, was $status" [ "$status" -eq 0 ]
    check "no file left" [ -z "$(ls -A "$work")" ]
    check "no report" [ "$(grep -c Fehlerprotokoll "$err")" -eq 0 ]
    ;;
*)
    echo "unknown case $case"
    exit 2
    ;;
esac
[ "$failed" -ne 0 ] || echo "$case: ended in order"
exit $((failed > 0))
