#!/usr/bin/env bash
# The key colour never reaches the screen. After each sequence of adds, edge
# and corner drags, overlaps and sheet moves, the whole sheet shows no lime
# pixel, and the area that a shrinking hole gave back shows the frame there
# (black, or the hole beneath). One case per run: tests/e2e/CMakeLists.txt
# names them.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

readonly BLACK=000000 BACKDROP=$BACKDROP_HEX

# shows HX HY W H COLOURS...: the rectangle, in the first hole's coordinates
# (it was added at the sheet's 0, 50), shows those colours and no other.
shows() {
    local hx=$1 hy=$2 w=$3 h=$4 x y colour seen
    shift 4
    read -r x y _ <<<"$(window_geometry Hide)"
    seen=$("$PROBE" colours $((x + hx)) $((y + 50 + hy)) "$w" "$h")
    while read -r colour _; do
        if [[ " $* " != *" $colour "* ]]; then
            LAST_SEEN="hole area $hx,$hy ${w}x$h shows $(tr '\n' ' ' <<<"$seen")"
            return 1
        fi
    done <<<"$seen"
}

# settles HX HY W H COLOURS...: waits until the whole sheet is free of lime
# and the area shows only the colours; then checks once more a moment later,
# so that a late repaint cannot bring lime back unseen.
settled() { no_lime_on_sheet && shows "$@"; }
settles() {
    wait_until 10 "the sheet to show no lime and $1,$2 ${3}x$4 to show only ${*:5}" settled "$@"
    sleep 0.3
    settled "$@" || fail "a moment later: $LAST_SEEN"
}

# drag HX HY DX DY: a primary drag from a point of the first hole.
drag() {
    local x y
    read -r x y _ <<<"$(window_geometry Hide)"
    x=$((x + $1)) y=$((y + 50 + $2))
    press 1 "$x" "$y"
    move_to "$x" "$y" $((x + $3)) $((y + $4))
    release 1
}

# The same with no pause but the one after the press (the program reads the
# pointer when it handles the press): the moves and the release come at once.
quick_drag() {
    local x y
    read -r x y _ <<<"$(window_geometry Hide)"
    x=$((x + $1)) y=$((y + 50 + $2))
    press 1 "$x" "$y"
    xdotool mousemove $((x + $3 / 2)) $((y + $4 / 2)) mousemove $((x + $3)) $((y + $4)) mouseup 1
}

start_backdrop
start_veilix

# The rectangle template's opening is its inner 96 x 96 pixels (2 to 97);
# stretched, it keeps a thin black rim.
case "$CASE" in
    shrink_right)  add_hole r; drag 98 50 -50 0;   settles 52 2 46 96 "$BLACK" ;;
    shrink_left)   add_hole r; drag 1 50 50 0;     settles 2 2 46 96 "$BLACK" ;;
    shrink_top)    add_hole r; drag 50 1 0 50;     settles 2 2 96 46 "$BLACK" ;;
    shrink_bottom) add_hole r; drag 50 98 0 -50;   settles 2 52 96 46 "$BLACK" ;;
    top_left)      add_hole r; drag 1 1 40 40;     settles 2 2 36 96 "$BLACK" ;;
    top_right)     add_hole r; drag 98 1 -40 40;   settles 62 2 36 96 "$BLACK" ;;
    bottom_left)   add_hole r; drag 1 98 40 -40;   settles 2 62 96 36 "$BLACK" ;;
    bottom_right)  add_hole r; drag 98 98 -40 -40; settles 62 2 36 96 "$BLACK" ;;
    grow_back)
        add_hole r
        drag 98 50 -50 0
        settles 52 2 46 96 "$BLACK"
        drag 49 50 50 0
        settles 2 2 96 96 "$BACKDROP"
        ;;
    circle_then_ellipse)
        # The ellipse's black corner covers a crescent of the circle's opening.
        add_hole Down Down Return
        settles 40 40 20 20 "$BACKDROP"
        add_hole e
        settles 11 21 3 3 "$BLACK"
        ;;
    shrink_top_hole)
        # A rectangle over a circle gives back the circle beneath it.
        add_hole Down Down Return
        add_hole r
        settles 2 2 96 96 "$BACKDROP"
        drag 98 50 -50 0
        settles 60 40 20 20 "$BACKDROP"
        settles 88 3 3 3 "$BLACK"
        ;;
    quick_drags)
        add_hole r
        quick_drag 98 50 -30 0
        quick_drag 69 50 20 0
        quick_drag 50 98 0 -30
        quick_drag 1 50 25 0
        quick_drag 25 1 10 20
        quick_drag 89 69 -20 -10
        # The hole ends at 35, 20 and 35 x 40 in its first coordinates: the
        # rest of its first place is black.
        settles 2 2 32 96 "$BLACK"
        settles 2 62 96 36 "$BLACK"
        ;;
    move_sheet)
        add_hole r
        drag 98 50 -50 0
        settles 52 2 46 96 "$BLACK"
        press 1 700 500
        move_to 700 500 900 600
        release 1
        wait_until 10 "the sheet to move" eval '[ "$(window_geometry Hide)" = "474 409 $SHEET_W $SHEET_H" ]'
        settles 52 2 46 96 "$BLACK"
        ;;
    *) fail "unknown case '$CASE'" ;;
esac
expect_alive "after the sequence"
echo "PASS"
