#!/usr/bin/env bash
# Input outside the sheet while a button pressed on it is held. The X server
# then hands us every pointer event wherever the pointer goes; those outside
# the sheet, or over a window that covers it, belong to what lies beneath or
# on top and must change nothing of ours.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

sheet_unmoved() {
    [ "$(window_geometry Hide)" = "$SHEET_X $SHEET_Y $SHEET_W $SHEET_H" ] ||
        fail "the sheet moved: $(window_geometry Hide)"
}

start_backdrop
start_veilix
add_hole r
# The rectangle's right rim, and a point the button is carried to: below the
# sheet, or (the cases cover_*) over another window that lies over the sheet's
# lower part, where the sheet's black area is underneath.
readonly RIM_X=$((HOLE_X + 98)) RIM_Y=$((HOLE_Y + 50))
BELOW_X=$((HOLE_X + 98)) BELOW_Y=700
case "$CASE" in
    cover_*)
        cover "$SHEET_X" $((SHEET_Y + 250)) "$SHEET_W" $((SHEET_H - 250))
        BELOW_Y=$((SHEET_Y + 300))
        ;;
esac
readonly BELOW_X BELOW_Y

case "$CASE" in
    menu | cover_menu)
        # A right press on the rim, released off the sheet: no menu.
        press 3 "$RIM_X" "$RIM_Y"
        move_to "$RIM_X" "$RIM_Y" "$BELOW_X" "$BELOW_Y"
        release 3
        sleep 1
        menu_closed || fail "a release off the sheet opened the menu: $(menu_line)"
        ;;
    primary_press | cover_primary_press)
        # While the right button is held off the sheet, a primary press and drag
        # there must not move the sheet.
        press 3 "$RIM_X" "$RIM_Y"
        move_to "$RIM_X" "$RIM_Y" "$BELOW_X" "$BELOW_Y"
        press 1 "$BELOW_X" "$BELOW_Y"
        move_to "$BELOW_X" "$BELOW_Y" $((BELOW_X + 150)) $((BELOW_Y + 100))
        sleep 0.5
        sheet_unmoved
        release 1
        release 3
        sleep 1
        sheet_unmoved
        menu_closed || fail "a release off the sheet opened the menu: $(menu_line)"
        ;;
    *) fail "unknown case '$CASE'" ;;
esac
# The program still answers: the rim's right click opens the menu.
open_menu "$RIM_X" "$RIM_Y"
xdotool key Escape
wait_until 10 "Esc to close the menu" menu_closed
expect_alive "after the input outside"
echo "PASS"
