#!/usr/bin/env bash
# The desktop session's messages, sent by a session manager of the test's own
# (the fourth argument). Every case starts with the client's registration and
# the checkpoint a new client gets.
#   checkpoint        a save without log-off leaves the program running
#   cancelled_logoff  a save before log-off, then the log-off cancelled: running
#   logoff            a save before log-off, then the session's end: the program
#                     ends with exit code 0
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"
SESSION_MANAGER_BIN=${4:?usage: session_test.sh VEILIX PROBE CASE SESSION_MANAGER}

SM_PID="" SM_SENT=0

sm_alive() { kill -0 "$SM_PID" 2>/dev/null && [ "$(awk '{ print $3 }' "/proc/$SM_PID/stat" 2>/dev/null)" != Z ]; }

sm_check() {
    sm_alive || fail "the session manager ended: $(cat "$WORK/sm.err")"
    LAST_SEEN=$(tail -n 1 "$WORK/sm.out")
}

sm_answered() {
    sm_check
    [ "$(grep -c '^ok ' "$WORK/sm.out")" -ge "$SM_SENT" ]
}

# sm COMMAND: has the session manager send a message and waits until the
# program has responded to it.
sm() {
    sm_check
    echo "$1" >&4
    SM_SENT=$((SM_SENT + 1))
    wait_until 30 "the session manager's '$1'" sm_answered
}

# The program is still there a good while later, its sheet on the screen, and
# it still answers input.
expect_running() {
    sleep 3
    expect_alive "$1"
    stencil_painted || fail "the sheet is no longer on the screen $1"
    xdotool mousemove 700 500
    sync_with_program
}

start_session_manager() {
    mkfifo "$WORK/sm.in"
    "$SESSION_MANAGER_BIN" <"$WORK/sm.in" >"$WORK/sm.out" 2>"$WORK/sm.err" &
    SM_PID=$!
    EXTRA_PIDS+=("$SM_PID")
    exec 4>"$WORK/sm.in"
    wait_until 10 "the session manager to listen" grep -q '^network-id ' "$WORK/sm.out"
    SESSION_MANAGER=$(sed -n 's/^network-id //p' "$WORK/sm.out")
    export SESSION_MANAGER
}

# No authority file of the user's may take part.
export ICEAUTHORITY=$WORK/iceauthority
start_session_manager
start_backdrop
start_veilix
sm register

case "$CASE" in
    checkpoint)
        sm checkpoint
        expect_running "after a checkpoint"
        sm checkpoint
        expect_running "after a second checkpoint"
        ;;
    cancelled_logoff)
        sm shutdown
        sm cancel
        expect_running "after a cancelled log-off"
        ;;
    logoff)
        sm shutdown
        # The save before log-off is no reason to go; only the end is.
        sleep 1
        expect_alive "after the save before log-off, before the session's end"
        sm die
        wait_for_exit 20
        [ "$EXIT_CODE" = 0 ] || fail "the program ended with exit code $EXIT_CODE, expected 0"
        ;;
    logoff_menu_open)
        open_menu 500 400
        sm shutdown
        sm die
        wait_for_exit 20
        [ "$EXIT_CODE" = 0 ] || fail "the program ended with exit code $EXIT_CODE, expected 0"
        ;;
    *) fail "unknown case '$CASE'" ;;
esac
echo "PASS"
