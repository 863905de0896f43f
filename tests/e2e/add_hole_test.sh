#!/usr/bin/env bash
# Adding a hole, one case per shape: the command cuts the template's shape
# into the sheet at the window's left edge, 50 pixels below its top. Where the
# template is lime the backdrop shows and the X server puts the pointer on the
# backdrop window; where it is black or an edge shade the sheet keeps its
# pixels and the pointer stays on the sheet.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

# keys that choose the command | points in the hole's own pixels: x,y=what
# shows there (see = the backdrop, or the colour "R G B" written R:G:B)
case "$CASE" in
    # The frame is two pixels wide; lime runs from 2 to 97 both ways.
    rectangle) keys=(r) points=("50,50=see" "2,2=see" "97,97=see" "1,1=0:0:0" "98,50=0:0:0" "50,98=0:0:0") ;;
    # "Add Circle" has no access letter; the first Down selects the first item.
    circle) keys=(Down Down Return) points=("50,50=see" "50,3=see" "5,50=see" "50,2=0:0:0" "2,2=0:0:0" "4,50=0:0:0" "96,96=0:0:0") ;;
    # Row 50 starts with an edge shade of green 104 at column 2, lime 3 to 197.
    ellipse) keys=(e) points=("100,50=see" "3,50=see" "197,50=see" "2,50=0:104:0" "198,50=0:0:0" "100,1=0:0:0" "100,98=0:0:0") ;;
    *) fail "unknown case '$CASE'" ;;
esac

start_backdrop
start_veilix

# Before the command, every one of these points is the sheet's black.
for point in "${points[@]}"; do
    IFS=,= read -r hx hy _ <<<"$point"
    pixel_is $((HOLE_X + hx)) $((HOLE_Y + hy)) "$BLACK_RGB" ||
        fail "before any hole, hole pixel $hx,$hy shows $(pixel $((HOLE_X + hx)) $((HOLE_Y + hy)))"
done

add_hole "${keys[@]}"

for point in "${points[@]}"; do
    IFS=,= read -r hx hy what <<<"$point"
    sx=$((HOLE_X + hx)) sy=$((HOLE_Y + hy))
    if [ "$what" = see ]; then
        wait_until 10 "the backdrop to show at hole pixel $hx,$hy ($sx,$sy)" pixel_is "$sx" "$sy" "$BACKDROP_RGB"
        wait_until 10 "the pointer at hole pixel $hx,$hy to be over the backdrop window" \
            pointer_over "$sx" "$sy" "$BACKDROP_ID"
    else
        want=${what//:/ }
        pixel_is "$sx" "$sy" "$want" || fail "hole pixel $hx,$hy shows $(pixel "$sx" "$sy"), expected $want"
        pointer_over "$sx" "$sy" "$STENCIL_ID" || fail "the pointer at hole pixel $hx,$hy is not over the sheet"
    fi
done

# The sheet beside and below the hole stays black.
for outside in "$((HOLE_X + 250)) $((HOLE_Y + 50))" "$((HOLE_X + 50)) $((HOLE_Y + 150))"; do
    read -r sx sy <<<"$outside"
    pixel_is "$sx" "$sy" "$BLACK_RGB" || fail "the sheet at $sx,$sy shows $(pixel "$sx" "$sy")"
done
expect_alive "after adding the hole"
echo "PASS"
