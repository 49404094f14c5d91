# shellcheck shell=bash
# Sourced by the release checks' shell scripts (bash): the program started in an empty directory of
# its own and ended from outside, and the tally of the checks made on it.

failed=0
# failure MESSAGE: says what failed and counts it.
failure() { echo "FAILED: $1"; failed=$((failed + 1)); }
# check DESCRIPTION COMMAND [ARGUMENT...]: runs the command; a failure when it fails.
check() {
    local what=$1; shift
    "$@" || failure "$what"
}

# start_program DIR [NAME=VALUE...] COMMAND [ARGUMENT...]: starts the command on the offscreen
# platform in the empty directory DIR/work with the runtime directory DIR/xdg, its standard output
# and standard error to DIR/out and DIR/err; sets $pid.
start_program() {
    local dir=$1; shift
    mkdir -p "$dir/work" && mkdir -m 700 "$dir/xdg"
    env -C "$dir/work" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$dir/xdg" "$@" \
        >"$dir/out" 2>"$dir/err" &
    # shellcheck disable=SC2034 # for the caller
    pid=$!
}

# end_program PID SIGNAL: sends the signal and waits for the end; sets $status to the exit code.
# A box that still waits for an answer would keep the program alive: the session manager kills it
# a few seconds later, and so does this.
end_program() {
    kill -s "$2" "$1" 2>/dev/null || true
    timeout 10 tail --pid="$1" -s 0.1 -f /dev/null || kill -s KILL "$1" 2>/dev/null || true
    status=0
    wait "$1" || status=$?
}

# printed_nothing DIR: nothing on the program's standard output or standard error.
printed_nothing() {
    check "nothing on standard output, was: $(head -c 500 "$1/out")" [ ! -s "$1/out" ]
    check "nothing on standard error, was: $(head -c 500 "$1/err")" [ ! -s "$1/err" ]
}

# ended_in_order DIR: exit code 0 ($status), nothing printed, no file left in DIR/work.
ended_in_order() {
    check "exit code 0, was $status" [ "$status" -eq 0 ]
    printed_nothing "$1"
    check "no file left, found: $(ls -A "$1/work")" [ -z "$(ls -A "$1/work")" ]
}
