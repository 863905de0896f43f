#!/usr/bin/env bash
# Ways the program ends, one per case: "&Close" by its access letter or by the
# arrow keys (the fourth item), a close request from the window system, and the
# termination signals. Each ends the process with exit code 0.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

start_backdrop
start_veilix

case "$CASE" in
    menu_letter)
        open_menu 500 400
        choose c
        ;;
    menu_arrows)
        # The first Down selects the first item, so four reach the fourth.
        open_menu 500 400
        choose Down Down Down Down Return
        ;;
    close_request) "$PROBE" close "$STENCIL_ID" ;;
    sigterm) kill -TERM "$VEILIX_PID" ;;
    sigint) kill -INT "$VEILIX_PID" ;;
    sighup) kill -HUP "$VEILIX_PID" ;;
    *) fail "unknown case '$CASE'" ;;
esac

wait_for_exit 20
[ "$EXIT_CODE" = 0 ] || fail "the program ended with exit code $EXIT_CODE, expected 0"
echo "PASS"
