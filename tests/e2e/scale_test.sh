#!/usr/bin/env bash
# On a scaled desktop the program draws at the screen's own pixels. One case
# per way a desktop asks for a device pixel ratio: the sheet's window takes its
# designed place and size times the ratio and is black edge to edge; a
# rectangle hole's opening is 96 pixels times the ratio, with no key colour
# anywhere; a drag on the hole's rim, from its outermost device pixel too,
# moves its edge with the pointer, the key colour never on the screen
# meanwhile; the menu opens with its corner in the logical pixel the pointer
# is on, at the ratio's size, its cut corners see-through; and the menu's
# Close ends the program with exit code 0.

# case | screen | device pixel ratio the desktop asks for
# shellcheck disable=SC2034  # read by lib.sh
case "${3:-}" in
    dpi192)    E2E_SCREEN_W=3840 E2E_SCREEN_H=2160 E2E_RATIO=2 ;;
    factor1_5) E2E_SCREEN_W=1920 E2E_SCREEN_H=1080 E2E_RATIO=1.5 ;;
esac
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

readonly BLACK=000000 BACKDROP=$BACKDROP_HEX
# Measured edges may miss the ideal by the rounding of a logical edge to the
# device and of the pointer's place to a logical pixel.
TOLERANCE=$(awk -v r="$RATIO" 'BEGIN { print r + 1 }')
readonly TOLERANCE

# near VALUE WANT: VALUE is within TOLERANCE of WANT.
near() { awk -v v="$1" -v w="$2" -v t="$TOLERANCE" 'BEGIN { exit !(v - w <= t && w - v <= t) }'; }

# shows_only COLOURS...: every pixel of the sheet's window is one of them.
shows_only() {
    local seen colour
    seen=$("$PROBE" colours "$SHEET_X" "$SHEET_Y" "$SHEET_W" "$SHEET_H")
    while read -r colour _; do
        if [[ " $* " != *" $colour "* ]]; then
            LAST_SEEN="the sheet shows $(tr '\n' ' ' <<<"$seen")"
            [ "$colour" != "$LIME" ] || LAST_SEEN="LIME: $LAST_SEEN"
            return 1
        fi
    done <<<"$seen"
}

# backdrop_pixels X Y W H: how many pixels of the rectangle show the backdrop.
backdrop_pixels() { "$PROBE" colours "$@" | awk -v c="$BACKDROP" '$1 == c { n = $2 } END { print n + 0 }'; }

# opening: finds the see-through opening in the sheet and sets OX OY (its
# top-left pixel on the screen), OW OH and OR (its right edge, the first
# column past it); fails unless the backdrop shows in one solid rectangle.
opening() {
    local found total
    found=$("$PROBE" find "$SHEET_X" "$SHEET_Y" "$SHEET_W" "$SHEET_H" "$BACKDROP") ||
        { LAST_SEEN="no backdrop on the sheet"; return 1; }
    read -r OX OY <<<"$found"
    # The first backdrop pixel row by row is the top-left of a rectangle.
    OW=$(backdrop_pixels "$OX" "$OY" $((SHEET_X + SHEET_W - OX)) 1)
    OH=$(backdrop_pixels "$OX" "$OY" 1 $((SHEET_Y + SHEET_H - OY)))
    OR=$((OX + OW))
    total=$(backdrop_pixels "$SHEET_X" "$SHEET_Y" "$SHEET_W" "$SHEET_H")
    LAST_SEEN="opening at $OX,$OY ${OW}x$OH, $total backdrop pixels on the sheet"
    [ "$total" = $((OW * OH)) ] && [ "$(backdrop_pixels "$OX" "$OY" "$OW" "$OH")" = "$total" ]
}

right_edge_near() { opening && near "$OR" "$1"; }

sheet_in_place() {
    local geometry
    geometry=$(window_geometry Hide)
    [ "$geometry" = "$SHEET_X $SHEET_Y $SHEET_W $SHEET_H" ] ||
        fail "$1 the sheet's window is at x y w h = '$geometry', expected '$SHEET_X $SHEET_Y $SHEET_W $SHEET_H'"
}

# settles COLOURS...: waits until the sheet shows only the colours, and checks
# once more a moment later, so that a late repaint cannot go unseen.
settles() {
    wait_until 10 "the sheet to show only $*" shows_only "$@"
    sleep 0.3
    shows_only "$@" || fail "a moment later: $LAST_SEEN"
}

start_backdrop
case "$CASE" in
    dpi192)
        xrdb -merge <<<"Xft.dpi: 192"
        start_veilix
        ;;
    factor1_5) QT_SCALE_FACTOR=1.5 start_veilix ;;
    *) fail "unknown case '$CASE'" ;;
esac

sheet_in_place "at start-up"
settles "$BLACK"
echo "sheet: $SHEET_W x $SHEET_H at $SHEET_X,$SHEET_Y, black"

# The rectangle template is 100 logical pixels with a rim of two: its opening
# starts 2 right of the sheet's left edge and 52 below its top.
add_hole r
wait_until 10 "the rectangle's opening" opening
for figure in "x $((OX - SHEET_X)) 2" "y $((OY - SHEET_Y)) 52" "width $OW 96" "height $OH 96"; do
    read -r what got logical <<<"$figure"
    near "$got" "$(device "$logical")" ||
        fail "the opening's $what is $got device pixels, expected $(device "$logical") ± $TOLERANCE ($LAST_SEEN)"
done
settles "$BLACK" "$BACKDROP"
echo "opening: ${OW}x$OH at $((OX - SHEET_X)),$((OY - SHEET_Y)) in the sheet"

# drag_rim COLUMN DISTANCE: a primary drag from the rim, COLUMN device pixels
# right of the opening's right edge, DISTANCE device pixels along the row
# through the opening's middle in steps of 5. The screen is read between the
# steps: the key colour never shows and the sheet stays put. The opening's
# right edge follows the pointer; its other edges stay.
drag_rim() {
    local column=$1 distance=$2 x0 y0 h0 r0 px py steps step
    opening || fail "before the drag: $LAST_SEEN"
    read -r x0 y0 h0 r0 <<<"$OX $OY $OH $OR"
    px=$((r0 + column)) py=$((y0 + h0 / 2)) steps=$(((distance < 0 ? -distance : distance) / 5))
    press 1 "$px" "$py"
    for ((step = 1; step <= steps; step++)); do
        xdotool mousemove $((px + distance * step / steps)) "$py"
        sleep 0.05
        shows_only "$BLACK" "$BACKDROP" || fail "during the drag from $px, at step $step of $steps: $LAST_SEEN"
        sheet_in_place "during the drag from $px, at step $step of $steps,"
    done
    wait_until 10 "the opening's right edge near $((r0 + distance)) while the button is held" \
        right_edge_near $((r0 + distance))
    release 1
    sync_with_program
    opening || fail "after the drag: $LAST_SEEN"
    near "$OR" $((r0 + distance)) || fail "the opening's right edge moved from $r0 to $OR for a drag of $distance"
    # The template stretches with the hole, its rim too: the left edge may
    # shift by a device pixel.
    if ! near "$OX" "$x0" || [ "$OY $OH" != "$y0 $h0" ]; then
        fail "the drag of the right edge moved the opening's other edges: $LAST_SEEN, was at $x0,$y0 height $h0"
    fi
    settles "$BLACK" "$BACKDROP"
    echo "drag from $px by $distance: right edge $r0 -> $OR"
}

# First from the rim's outermost device column (the black around it hides
# where the rim ends): the pointer there is on the hole, so it grabs the hole,
# not the sheet. Then from just right of the opening's edge.
drag_rim $(($(device 100) - $(device 98) - 1)) 20
drag_rim 1 -40

# The menu, opened near the sheet's bottom-right corner so that its corners
# lie over the backdrop. Its window's top-left pixel is the first device pixel
# of the logical pixel the pointer is on: 0 to 1 device pixels up and left of
# the pointer at these ratios. Three neighbouring points meet every way a
# device pixel lies in a logical one at 1.5 and at 2.
in_first_pixel() { awk -v d=$(($1 - $2)) -v r="$RATIO" 'BEGIN { exit !(d >= 0 && d < r) }'; }
about() { (($1 - $2 <= 2 && $2 - $1 <= 2)); }
open_menu_at() {
    open_menu "$1" "$2"
    read -r menu_id mx my mw mh _ <<<"$(menu_line)"
    if ! in_first_pixel "$1" "$mx" || ! in_first_pixel "$2" "$my"; then
        fail "the menu opened at $mx,$my for a right click at $1,$2"
    fi
    if ! about "$mw" "$(device 129)" || ! about "$mh" "$(device 86)"; then
        fail "the menu is ${mw}x$mh, expected about $(device 129)x$(device 86)"
    fi
    echo "menu: ${mw}x$mh at $mx,$my for a right click at $1,$2"
}
readonly MENU_X=$((SHEET_X + SHEET_W - $(device 40))) MENU_Y=$((SHEET_Y + SHEET_H - $(device 40)))
for k in 2 1; do
    open_menu_at $((MENU_X + k)) $((MENU_Y + k))
    xdotool key Escape
    wait_until 10 "Esc to close the menu" menu_closed
done
open_menu_at "$MENU_X" "$MENU_Y"
((mx + mw - $(device 2) >= SHEET_X + SHEET_W && my + mh - $(device 2) >= SHEET_Y + SHEET_H)) ||
    fail "the menu at $mx,$my ${mw}x$mh does not reach past the sheet's corner"

# cut_corner X Y DX DY: the corner's 2 x 2 logical pixels, from the window's
# corner pixel X,Y inwards by DX,DY, show the backdrop, and the next pixel in
# along the diagonal shows the menu (so that it is painted, and the cut is no
# larger).
CUT=$(device 2)
readonly CUT
cut_corner() {
    local x=$(($3 > 0 ? $1 : $1 - CUT + 1)) y=$(($4 > 0 ? $2 : $2 - CUT + 1)) inside
    inside=$(pixel $(($1 + $3 * CUT)) $(($2 + $4 * CUT)))
    LAST_SEEN="corner $x,$y ${CUT}x$CUT: $("$PROBE" colours "$x" "$y" "$CUT" "$CUT" | tr '\n' ' ')inside: $inside"
    [ "$(backdrop_pixels "$x" "$y" "$CUT" "$CUT")" = $((CUT * CUT)) ] && [ "$inside" != "$BACKDROP_RGB" ]
}
wait_until 10 "the backdrop at the menu's top-right corner" cut_corner $((mx + mw - 1)) "$my" -1 1
wait_until 10 "the backdrop at the menu's bottom-left corner" cut_corner "$mx" $((my + mh - 1)) 1 -1
pointer_over $((mx + mw - 1)) "$my" "$BACKDROP_ID" || fail "the X server puts the menu's top-right corner on the menu"
pointer_over "$mx" $((my + mh - 1)) "$BACKDROP_ID" || fail "the X server puts the menu's bottom-left corner on the menu"
pointer_over $((mx + CUT)) $((my + CUT)) "$menu_id" || fail "the menu is not the window under its own frame"
echo "menu: corners of $CUT device pixels see-through"

choose c
wait_for_exit 20
[ "$EXIT_CODE" = 0 ] || fail "the program ended with exit code $EXIT_CODE, expected 0"
echo "PASS"
