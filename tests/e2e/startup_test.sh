#!/usr/bin/env bash
# Start-up: the sheet "Hide" appears at its designed place and size, solid
# black edge to edge, it is the program's only visible window, and the
# program keeps running.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

start_backdrop
start_veilix

geometry=$(window_geometry Hide)
[ "$geometry" = "$SHEET_X $SHEET_Y $SHEET_W $SHEET_H" ] ||
    fail "the sheet is at x y w h = '$geometry', expected '$SHEET_X $SHEET_Y $SHEET_W $SHEET_H'"

# The template holder and the application's own window are never shown.
others=$("$PROBE" windows | awk '$7 != "Backdrop" && $7 != "Hide"')
[ -z "$others" ] || fail "windows other than the sheet are shown: $others"

# distinct_colours X Y W H: the set of colours in a screen rectangle.
distinct_colours() { "$PROBE" region "$@" | tr ' ' '\n' | sort -u | tr '\n' ' ' | sed 's/ $//'; }

colours=$(distinct_colours "$SHEET_X" "$SHEET_Y" "$SHEET_W" "$SHEET_H")
[ "$colours" = 000000 ] || fail "the sheet is not solid black: it shows the colours $colours"

# One pixel outside each edge the backdrop shows: the sheet covers exactly its
# rectangle, no more.
for ring in "$((SHEET_X - 1)) $((SHEET_Y - 1)) $((SHEET_W + 2)) 1" \
    "$((SHEET_X - 1)) $((SHEET_Y + SHEET_H)) $((SHEET_W + 2)) 1" \
    "$((SHEET_X - 1)) $SHEET_Y 1 $SHEET_H" \
    "$((SHEET_X + SHEET_W)) $SHEET_Y 1 $SHEET_H"; do
    # shellcheck disable=SC2086  # the ring is four numbers
    colours=$(distinct_colours $ring)
    [ "$colours" = "$BACKDROP_HEX" ] || fail "around the sheet (x y w h $ring) the screen shows $colours"
done

expect_alive "right after start-up"
echo "PASS"
