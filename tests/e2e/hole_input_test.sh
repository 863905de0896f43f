#!/usr/bin/env bash
# Input through and on a circle hole: clicks on its opening reach the window
# beneath, a right click on its black rim opens the menu, and dragging its
# edges resizes it on the screen while the sheet stays put.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

# at HX HY: the screen point of a pixel in the new hole's own coordinates.
at() { echo $((HOLE_X + $1)) $((HOLE_Y + $2)); }
shows() {
    LAST_SEEN=$(pixel "$1" "$2")
    [ "$LAST_SEEN" = "$3" ]
}
sheet_unmoved() {
    [ "$(window_geometry Hide)" = "$SHEET_X $SHEET_Y $SHEET_W $SHEET_H" ] ||
        fail "the sheet moved: $(window_geometry Hide)"
}
add_circle() {
    add_hole Down Down Return
    read -r cx cy <<<"$(at 50 50)"
    wait_until 10 "the circle's opening" shows "$cx" "$cy" "$BACKDROP_RGB"
}

start_backdrop
start_veilix
add_circle

# Clicks of the primary and the secondary button on the opening go to the
# backdrop, not to the program.
read -r cx cy <<<"$(at 50 50)"
for button in 1 3; do
    xdotool mousemove "$cx" "$cy" click "$button"
    wait_until 10 "the backdrop to get the click of button $button at $cx,$cy" \
        grep -qx "release $button $cx $cy" "$WORK/backdrop.log"
    grep -qx "press $button $cx $cy" "$WORK/backdrop.log" || fail "the backdrop got no press of button $button"
done

# A right click on the hole's black rim opens the sheet's menu at the pointer.
read -r rx ry <<<"$(at 2 2)"
open_menu "$rx" "$ry"
read -r _ mx my _ <<<"$(menu_line)"
[ "$mx $my" = "$rx $ry" ] || fail "the menu opened at $mx,$my for a right click on the rim at $rx,$ry"
xdotool key Escape
wait_until 10 "Esc to close the menu" menu_closed
stop_veilix

# Edge drags, each on a fresh circle. The press is on the rim's black pixels
# within 10 pixels of the edge; points are in the hole's own coordinates
# before the drag, each with what it shows before and after (see = the
# backdrop). The first point changes, the second does not.
# edge | press hx,hy | drag dx,dy | points hx,hy:before>after
drags=(
    "right   96,15  60,0   130,50:black>see  165,50:black>black"
    "bottom  15,96  0,40   50,130:black>see  50,145:black>black"
    "left    3,15   30,0   20,50:see>black   65,50:see>see"
)
rgb_of() { if [ "$1" = see ]; then echo "$BACKDROP_RGB"; else echo "$BLACK_RGB"; fi; }
for entry in "${drags[@]}"; do
    read -r edge press_at by changed kept <<<"$entry"
    CASE="$edge edge"
    IFS=, read -r phx phy <<<"$press_at"
    IFS=, read -r dx dy <<<"$by"
    read -r px py <<<"$(at "$phx" "$phy")"

    start_veilix
    add_circle
    for point in "$changed" "$kept"; do
        IFS=',:>' read -r hx hy before _ <<<"$point"
        read -r sx sy <<<"$(at "$hx" "$hy")"
        shows "$sx" "$sy" "$(rgb_of "$before")" || fail "before the drag $sx,$sy shows $LAST_SEEN"
    done

    press 1 "$px" "$py"
    move_to "$px" "$py" $((px + dx)) $((py + dy))
    # While the button is held the hole already takes its new size.
    IFS=',:>' read -r hx hy _ after <<<"$changed"
    read -r sx sy <<<"$(at "$hx" "$hy")"
    wait_until 10 "the drag to change $sx,$sy" shows "$sx" "$sy" "$(rgb_of "$after")"
    release 1
    sync_with_program
    for point in "$changed" "$kept"; do
        IFS=',:>' read -r hx hy _ after <<<"$point"
        read -r sx sy <<<"$(at "$hx" "$hy")"
        shows "$sx" "$sy" "$(rgb_of "$after")" || fail "after the drag $sx,$sy shows $LAST_SEEN, expected $after"
        if [ "$after" = see ]; then window=$BACKDROP_ID; else window=$STENCIL_ID; fi
        pointer_over "$sx" "$sy" "$window" || fail "after the drag the pointer at $sx,$sy is over the wrong window"
    done
    sheet_unmoved
    expect_alive "after the drag"
    stop_veilix
done
echo "PASS"
