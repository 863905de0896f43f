#!/usr/bin/env bash
# The sheet under a window manager (openbox), one case per flow:
#   appearance  borderless at its designed place and size, titled "Hide", with
#               the program's icon and class for the task bar
#   menu        a right click on the black area opens the menu, whose command
#               cuts a hole that shows the desktop beneath
#   close       the manager's close (its Alt+F4) ends the program with exit
#               code 0
# The manager frames the sheet, so it is found by name, not among the root's
# children; the desktop's colour is the root window's own (a backdrop window,
# being override-redirect, would lie above the managed sheet).
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

sheet_id() { xdotool search --name '^Hide$' 2>/dev/null | head -n 1; }
stencil_painted() {
    [ -n "$(sheet_id)" ] && pixel_is $((SHEET_X + SHEET_W / 2)) $((SHEET_Y + SHEET_H / 2)) "$BLACK_RGB"
}
manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

xsetroot -solid "#$BACKDROP_HEX"
# The manager's stock settings, whatever the caller's own are.
XDG_CONFIG_HOME=$WORK/config openbox >"$WORK/openbox.log" 2>&1 &
EXTRA_PIDS+=("$!")
wait_until 20 "the window manager to start" manager_running
start_veilix
SHEET=$(sheet_id)

case "$CASE" in
    appearance)
        eval "$(xdotool getwindowgeometry --shell "$SHEET")"
        [ "$X $Y $WIDTH $HEIGHT" = "$SHEET_X $SHEET_Y $SHEET_W $SHEET_H" ] ||
            fail "the sheet is at x y w h = $X $Y $WIDTH $HEIGHT, expected $SHEET_X $SHEET_Y $SHEET_W $SHEET_H"
        # No border or title bar: the manager's frame adds nothing, and the
        # desktop shows right next to the sheet's edges.
        extents=$(xprop -id "$SHEET" _NET_FRAME_EXTENTS)
        [ "$extents" = "_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0" ] || fail "the frame has borders: $extents"
        for point in "$((SHEET_X - 1)) $((SHEET_Y + 10))" "$((SHEET_X + 10)) $((SHEET_Y - 1))" \
            "$((SHEET_X + SHEET_W)) $((SHEET_Y + 10))" "$((SHEET_X + 10)) $((SHEET_Y + SHEET_H))"; do
            read -r x y <<<"$point"
            pixel_is "$x" "$y" "$BACKDROP_RGB" || fail "next to the sheet, $x,$y shows $(pixel "$x" "$y")"
        done
        title=$(xprop -id "$SHEET" _NET_WM_NAME)
        [ "$title" = '_NET_WM_NAME(UTF8_STRING) = "Hide"' ] || fail "the title is $title"
        class=$(xprop -id "$SHEET" WM_CLASS)
        [ "$class" = 'WM_CLASS(STRING) = "veilix", "veilix"' ] || fail "the class is $class (the desktop entry's StartupWMClass is veilix)"

        # The icon, one image per size: WIDTH, HEIGHT, then ARGB pixels row by
        # row. At 32 x 32: a rounded corner lets the desktop through, the card
        # is opaque black, the opening opaque lime.
        xprop -id "$SHEET" -notype 32c _NET_WM_ICON | sed 's/^_NET_WM_ICON = //; s/, /\n/g' >"$WORK/icon"
        icon=$(awk '
            function pixel(x, y) { return v[start + y * w + x] }
            { v[NR] = $1 }
            END {
                i = 1
                while (i < NR) {
                    w = v[i]; h = v[i + 1]; start = i + 2
                    sizes = sizes (sizes ? " " : "") w "x" h
                    if (w == 32 && h == 32)
                        probe = sprintf("corner_alpha=%d card=%08x opening=%08x", int(pixel(0, 0) / 16777216),
                                        pixel(4, 16), pixel(16, 16))
                    i = start + w * h
                }
                print sizes "; " probe
            }' "$WORK/icon")
        want_sizes="16x16 24x24 32x32 48x48 64x64 128x128 256x256"
        [ "${icon%%;*}" = "$want_sizes" ] || fail "the window's icon comes in sizes '${icon%%;*}', expected '$want_sizes'"
        read -r corner card opening <<<"${icon#*; }"
        if [ "${corner#corner_alpha=}" -ge 128 ] || [ "$card" != card=ff000000 ] || [ "$opening" != opening=ff00ff00 ]; then
            fail "the 32 x 32 icon is not the black card with the lime opening: ${icon#*; }"
        fi
        ;;
    menu)
        add_hole r
        wait_until 10 "the new hole to show the desktop" pixel_is $((HOLE_X + 50)) $((HOLE_Y + 50)) "$BACKDROP_RGB"
        pixel_is $((HOLE_X + 150)) $((HOLE_Y + 50)) "$BLACK_RGB" || fail "the sheet beside the hole is not black"
        expect_alive "after adding a hole"
        ;;
    close)
        xdotool mousemove 600 500
        sheet_focused() { [ "$(xdotool getwindowfocus)" = "$SHEET" ]; }
        wait_until 10 "the sheet to have the keyboard focus" sheet_focused
        # A loaded manager may let the first request pass; asking again is
        # harmless: a second close request finds the program ending.
        for _ in 1 2 3 4; do
            xdotool key alt+F4
            deadline=$((SECONDS + 5))
            while veilix_alive && ((SECONDS < deadline)); do sleep 0.05; done
            veilix_alive || break
        done
        wait_for_exit 5
        [ "$EXIT_CODE" = 0 ] || fail "the program ended with exit code $EXIT_CODE, expected 0"
        ;;
    *) fail "unknown case '$CASE'" ;;
esac
echo "PASS"
