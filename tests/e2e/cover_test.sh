#!/usr/bin/env bash
# A window laid over the sheet and taken away again: the part it covered is
# painted anew from the sheet's frame (black, and the backdrop through the
# hole), never left showing the window that was there. The program leaves out
# the repaint of areas its own new shape uncovers and that it has just drawn;
# an area another window uncovers must still be repainted, after drags as
# before them.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

# uncovered X Y W H: the covering window is gone and the area shows only the
# sheet's black and the backdrop.
only_sheet_colours() {
    local seen
    seen=$("$PROBE" colours "$@")
    LAST_SEEN=$(tr '\n' ' ' <<<"$seen")
    ! grep -qv -e "^000000 " -e "^$BACKDROP_HEX " <<<"$seen"
}
uncover_and_check() {
    stop_pid "$COVER_PID"
    wait_until 10 "the uncovered area at $* to show the sheet again" only_sheet_colours "$@"
    sleep 0.3
    only_sheet_colours "$@" || fail "a moment later the uncovered area shows $LAST_SEEN"
    no_lime_on_sheet || fail "$LAST_SEEN"
}

start_backdrop
start_veilix
add_hole r

# Over the hole's right rim, its lime inside and the black area beside it.
readonly AREA="$((SHEET_X + 60)) $((SHEET_Y + 80)) 140 50"
# shellcheck disable=SC2086  # four numbers
cover $AREA
# shellcheck disable=SC2086
uncover_and_check $AREA

# The same once drags have reshaped the sheet and drawn the hole anew: its
# right edge out and back in, the last step growing the shown area.
press 1 $((HOLE_X + 98)) $((HOLE_Y + 50))
move_to $((HOLE_X + 98)) $((HOLE_Y + 50)) $((HOLE_X + 140)) $((HOLE_Y + 50))
move_to $((HOLE_X + 140)) $((HOLE_Y + 50)) $((HOLE_X + 128)) $((HOLE_Y + 50))
release 1
wait_until 10 "the dragged hole's rim at its new right edge" pixel_is $((HOLE_X + 128)) $((HOLE_Y + 50)) "$BLACK_RGB"
# shellcheck disable=SC2086
cover $AREA
# shellcheck disable=SC2086
uncover_and_check $AREA

expect_alive "after the sheet was covered and uncovered"
echo "PASS"
