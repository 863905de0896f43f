#!/usr/bin/env bash
# The popup menu: a right click on the sheet opens a menu of four items with
# its top-left corner at the pointer, Esc closes it without a command, and the
# context-menu key opens it at the sheet's top-left corner.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

start_backdrop
start_veilix

# menu_rows: the number of text rows inside the open menu, away from its frame.
menu_rows() {
    local x y w h inset=5
    read -r _ x y w h _ <<<"$(menu_line)"
    "$PROBE" region $((x + inset)) $((y + inset)) $((w - 2 * inset)) $((h - 2 * inset)) |
        awk -f "$E2E_DIR/menu_rows.awk"
}
has_four_rows() {
    LAST_SEEN="$(menu_rows) rows"
    [ "$LAST_SEEN" = "4 rows" ]
}

close_menu_by_escape() {
    xdotool key Escape
    wait_until 10 "Esc to close the popup menu" menu_closed
    expect_alive "after Esc closed the menu"
    [ "$(window_geometry Hide)" = "$SHEET_X $SHEET_Y $SHEET_W $SHEET_H" ] ||
        fail "the sheet moved or changed size: $(window_geometry Hide)"
}

# Right clicks on the black area, near the top-left and near the bottom-right
# corner of the sheet.
for at in "500 400" "$((SHEET_X + SHEET_W - 15)) $((SHEET_Y + SHEET_H - 10))"; do
    read -r px py <<<"$at"
    open_menu "$px" "$py"
    read -r _ mx my _ <<<"$(menu_line)"
    [ "$mx $my" = "$px $py" ] || fail "the menu opened at $mx,$my for a right click at $px,$py"
    # Off the items, so that none is highlighted while the rows are counted.
    xdotool mousemove $((px - 40)) $((py - 10))
    wait_until 10 "the menu to show four item rows" has_four_rows
    close_menu_by_escape
done

# The keyboard's context-menu key, the pointer resting on the sheet.
xdotool mousemove 600 500
xdotool key Menu
wait_until 10 "the context-menu key to open the popup menu" menu_open
read -r _ mx my _ <<<"$(menu_line)"
[ "$mx $my" = "$SHEET_X $SHEET_Y" ] || fail "the context-menu key opened the menu at $mx,$my"
close_menu_by_escape

echo "PASS"
