#!/usr/bin/env bash
# The program ended from outside by each signal a session sends: started on the offscreen platform
# in an empty directory (all three at once) and sent its signal once its window is up, it must end
# in order: exit code 0, nothing on standard output or standard error, no file left behind.
# Usage: signal_end.sh EXECUTABLE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
exe=$(realpath "$1")
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
signals=(TERM INT HUP)
declare -A pids
for sig in "${signals[@]}"; do
    start_program "$top/$sig" "$exe"
    pids[$sig]=$pid
done
sleep 2 # the windows are built and shown long before this
for sig in "${signals[@]}"; do
    before=$failed
    end_program "${pids[$sig]}" "$sig"
    ended_in_order "$top/$sig"
    if [ "$failed" -eq "$before" ]; then echo "ok    SIG$sig"; else echo "FAIL  SIG$sig"; fi
done
exit $((failed > 0))
