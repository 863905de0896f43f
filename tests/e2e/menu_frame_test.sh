#!/usr/bin/env bash
# The popup menu's flat frame on a real X server: opened near the sheet's
# bottom-right corner, so that its corners lie over the backdrop, it shows its
# outline and its two-pixel shadow, the backdrop at the two 2 x 2 corners its
# shape leaves out, and the X server reports the backdrop as the window under
# the pointer there: the corners are see-through and click-through. The frame
# stays whole while the selection moves over the items. A click on a cut
# corner is a click beside the menu: it closes the menu.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

start_backdrop
start_veilix

open_menu $((SHEET_X + SHEET_W - 40)) $((SHEET_Y + SHEET_H - 40))
read -r menu_id mx my mw mh _ <<<"$(menu_line)"
((mx + mw - 2 >= SHEET_X + SHEET_W && my + mh - 2 >= SHEET_Y + SHEET_H)) ||
    fail "the menu at $mx,$my ${mw}x$mh does not reach past the sheet's corner"

frame_is_whole() {
    "$PROBE" region "$mx" "$my" "$mw" "$mh" >"$WORK/menu.txt" || return 1
    VERDICT=$(awk -v backdrop="$BACKDROP_HEX" -f "$E2E_DIR/pixel_colours.awk" -f "$E2E_DIR/menu_frame_pixels.awk" "$WORK/menu.txt")
    LAST_SEEN=$VERDICT
    [ "${VERDICT%% *}" = ok ]
}
wait_until 10 "the menu's frame" frame_is_whole
echo "opened: $VERDICT"

# The selection moves down the items; each paint of an item reaches into the
# border, and the frame is painted again after it.
for step in 1 2 3 4; do
    xdotool key Down
    sleep 0.2
    wait_until 10 "the frame after $step steps down" frame_is_whole
done

# Under the cut corners the X server finds the backdrop; on the outline, the menu.
corner_shows_backdrop() { pointer_over "$1" "$2" "$BACKDROP_ID"; }
wait_until 5 "the backdrop under the top-right corner" corner_shows_backdrop $((mx + mw - 1)) "$my"
wait_until 5 "the backdrop under the bottom-left corner" corner_shows_backdrop "$mx" $((my + mh - 1))
pointer_over $((mx + mw - 3)) $((my + 2)) "$menu_id" || fail "the menu is not the window under its own outline"

xdotool key Escape
wait_until 10 "Esc to close the popup menu" menu_closed
expect_alive "after Esc closed the menu"

for corner in "$((mx + mw - 1)) $my" "$mx $((my + mh - 1))"; do
    open_menu $((SHEET_X + SHEET_W - 40)) $((SHEET_Y + SHEET_H - 40))
    [ "$(menu_line | awk '{ print $2, $3, $4, $5 }')" = "$mx $my $mw $mh" ] || fail "the menu opened elsewhere: $(menu_line)"
    # shellcheck disable=SC2086  # two numbers
    xdotool mousemove $corner click 1
    wait_until 5 "a click on the cut corner at $corner to close the menu" menu_closed
done
expect_alive "after the clicks on the cut corners"
echo "PASS ($VERDICT)"
