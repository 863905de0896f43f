#!/usr/bin/env bash
# Moving the sheet: dragging its black area carries it with the pointer, and
# the release pulls it back to x 0 or y 0 when it overhangs the right or the
# bottom of the 1920 x 1080 screen. Each case starts a fresh program.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

sheet_at() {
    LAST_SEEN=$(window_geometry Hide)
    [ "$LAST_SEEN" = "$1 $2 $SHEET_W $SHEET_H" ]
}

start_backdrop

# drag distance dx dy | where the release leaves the sheet | why
cases=(
    "100 50     374 359    an ordinary move"
    "-300 -250  -26 59     partly off the left and top: never pulled back"
    "995 433    1269 742   right and bottom edges exactly on the screen's: stays"
    "996 0      0 309      one pixel past the right: back to x 0"
    "0 434      274 0      one pixel past the bottom: back to y 0"
    "1300 750   0 0        past both: back to 0, 0"
)

for entry in "${cases[@]}"; do
    read -r dx dy want_x want_y why <<<"$entry"
    CASE=$why
    start_veilix
    # Press on the black area at a point from which the whole drag stays on
    # the screen.
    if ((dx >= 0)); then px=$((SHEET_X + 20)); else px=$((SHEET_X + SHEET_W - 20)); fi
    if ((dy >= 0)); then py=$((SHEET_Y + 20)); else py=$((SHEET_Y + SHEET_H - 20)); fi
    press 1 "$px" "$py"
    move_to "$px" "$py" $((px + dx)) $((py + dy))
    # While the button is down the sheet follows the pointer, overhang or not.
    wait_until 10 "the sheet to follow the pointer" sheet_at $((SHEET_X + dx)) $((SHEET_Y + dy))
    release 1
    wait_until 10 "the sheet to end at $want_x,$want_y" sheet_at "$want_x" "$want_y"
    # A sheet that stays must still be there once the release has surely been
    # handled.
    sync_with_program
    sheet_at "$want_x" "$want_y" || fail "the sheet ended at $LAST_SEEN after the release"
    expect_alive "after the drag"
    stop_veilix
done
echo "PASS"
