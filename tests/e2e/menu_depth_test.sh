#!/usr/bin/env bash
# The popup menu's colours follow the screen's depth: on a screen of 15 bits
# per pixel the menu has the low-colour look (white items beside a plain icon
# column, outline and shadow in one colour), on one of 16 bits still the
# gradient and the two-tone frame. The program's own surfaces stay 32-bit
# either way; only what the screen can show decides.
# Cases: depth15, depth16.
E2E_SCREEN_DEPTH=${3#depth}
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

case $CASE in
    depth15) LOOK=low ;;
    depth16) LOOK=high ;;
    *) fail "unknown case: $CASE" ;;
esac
readonly BORDER=3 ITEMS=4

root_depth=$(xdpyinfo | awk '/depth of root window/ { print $5 }')
[ "$root_depth" = "$SCREEN_DEPTH" ] || fail "the X server runs at ${root_depth:-unknown} bits per pixel, not $SCREEN_DEPTH"

start_backdrop
start_veilix

open_menu 500 400
read -r _ mx my mw mh _ <<<"$(menu_line)"
# Away from the menu, so that no item is selected.
xdotool mousemove 100 100

look_is_right() {
    "$PROBE" region "$mx" "$my" "$mw" "$mh" >"$WORK/menu.txt" || return 1
    VERDICT=$(awk -v look=$LOOK -v border=$BORDER -v items=$ITEMS -f "$E2E_DIR/pixel_colours.awk" \
        -f "$E2E_DIR/menu_depth_pixels.awk" "$WORK/menu.txt")
    LAST_SEEN=$VERDICT
    [ "${VERDICT%% *}" = ok ]
}
wait_until 10 "the $LOOK-colour look of the menu at $mx,$my ${mw}x$mh" look_is_right

xdotool key Escape
wait_until 10 "Esc to close the popup menu" menu_closed
expect_alive "after Esc closed the menu"
echo "PASS ($LOOK colour at $SCREEN_DEPTH bits: $VERDICT)"
