#!/usr/bin/env bash
# The popup menu's flat look on a real X server: opened by a right click, its
# four items lie on the gradient in every row, and with the pointer over
# "Add Circle" that item, and only that one, shows the selection box one row
# in at its top and one column short of its right edge. The colours come from
# the program's own system colours; the checks read them off the screen and
# hold them to the rules between them.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

# The items lie inside a border of three pixels, one above the other.
readonly BORDER=3 ITEMS=4 CIRCLE=1

start_backdrop
start_veilix

open_menu 500 400
read -r _ mx my mw mh _ <<<"$(menu_line)"
item_h=$(((mh - 2 * BORDER) / ITEMS))
((item_h > 0)) || fail "the menu is too small for its items: ${mw}x$mh"

# Over "Add Circle", left of its text: the pointer's own look stays out of
# what is read (the screen image holds no cursor).
circle_top=$((my + BORDER + CIRCLE * item_h))
xdotool mousemove $((mx + BORDER + 10)) $((circle_top + item_h / 2))
circle_boxed() {
    LAST_SEEN="$(pixel $((mx + BORDER)) "$circle_top") over $(pixel $((mx + BORDER)) $((circle_top + 1)))"
    [ "$(pixel $((mx + BORDER)) "$circle_top")" != "$(pixel $((mx + BORDER)) $((circle_top + 1)))" ]
}
wait_until 10 "the selection box on \"Add Circle\"" circle_boxed

"$PROBE" region "$mx" "$my" "$mw" "$mh" >"$WORK/menu.txt" || fail "cannot read the menu's pixels"
verdict=$(awk -v border=$BORDER -v items=$ITEMS -v selected=$CIRCLE -f "$E2E_DIR/pixel_colours.awk" -f "$E2E_DIR/flat_menu_pixels.awk" "$WORK/menu.txt")
[ "${verdict%% *}" = ok ] || fail "the menu at $mx,$my ${mw}x$mh: $verdict"

xdotool key Escape
wait_until 10 "Esc to close the popup menu" menu_closed
expect_alive "after Esc closed the menu"

read -r _ icon frame <<<"$verdict"
echo "PASS (icon column $icon, selection frame $frame)"
