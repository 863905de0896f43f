#!/usr/bin/env bash
# The sheet on a Wayland compositor: weston, drawing its output into a window
# that fills the test's Xvfb screen, so the X screen shows what the compositor
# composes and xdotool's pointer and keys reach the compositor's seat. A
# Wayland client of ours lies beneath the sheet, maximized, in the backdrop
# colour, and logs the clicks it gets. One case per flow:
#   hole             a hole shows what lies beneath (the keyed pixels are
#                    transparent) and lets its clicks through (the input
#                    region leaves it out); the black stays opaque and keeps
#                    its clicks
#   move_then_close  dragging the black area moves the sheet (the
#                    compositor's move), the menu's Close ends the program
#                    with exit code 0
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"
WAYLAND_PROBE=${4:?usage: wayland_test.sh VEILIX PROBE CASE WAYLAND_PROBE}

readonly SOCKET=veilix-e2e
# The compositor's own background: neither black, lime nor the backdrop.
readonly WALLPAPER_HEX=996633

cat >"$WORK/weston.ini" <<EOF
[core]
idle-time=0
[shell]
background-color=0xff$WALLPAPER_HEX
panel-position=none
locking=false
animation=none
startup-animation=none
EOF

# weston's X11 backend moves its pointer by the X pointer's steps, not to
# where it is, so the two part when one step is missed. A move into the
# top-left corner brings both there (weston keeps its pointer on the output);
# then the pointer is parked in the bottom-right corner, away from every
# pixel looked at (the compositor draws the pointer into its output).
park_pointer() {
    xdotool mousemove 0 0
    xdotool mousemove $((SCREEN_W - 1)) $((SCREEN_H - 1))
}
# A point that only the compositor's background or the window beneath covers.
readonly FREE_X=$((SCREEN_W - 20)) FREE_Y=20

compositor_ready() {
    kill -0 "$WESTON_PID" 2>/dev/null || fail "weston ended at start-up: $(cat "$WORK/weston.log")"
    [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && pixel_is "$FREE_X" "$FREE_Y" "$(printf '%d %d %d' 0x99 0x66 0x33)"
}
weston --backend=x11-backend.so --use-pixman --width="$SCREEN_W" --height="$SCREEN_H" --socket="$SOCKET" \
    --config="$WORK/weston.ini" >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
EXTRA_PIDS+=("$WESTON_PID")
park_pointer
wait_until 30 "weston to show its background" compositor_ready

WAYLAND_DISPLAY=$SOCKET "$WAYLAND_PROBE" underneath "$BACKDROP_HEX" "$WORK/underneath.log" \
    2>"$WORK/underneath.err" &
EXTRA_PIDS+=("$!")
wait_until 20 "the window beneath to be shown" grep -qsx ready "$WORK/underneath.log"
wait_until 10 "the window beneath to cover the screen" pixel_is "$FREE_X" "$FREE_Y" "$BACKDROP_RGB"

# The compositor places the sheet where it likes: its top-left corner is the
# first black pixel on the screen.
SX="" SY=""
locate_sheet() {
    park_pointer
    local found
    found=$("$PROBE" find 0 0 "$SCREEN_W" "$SCREEN_H" 000000) || return 1
    read -r SX SY <<<"$found"
    LAST_SEEN="top-left corner at $SX,$SY"
    # The whole sheet, and nothing past its edges (the compositor keeps new
    # windows on the output, an edge may be the screen's).
    pixel_is $((SX + SHEET_W - 1)) $((SY + SHEET_H - 1)) "$BLACK_RGB" &&
        { ((SX + SHEET_W == SCREEN_W)) || pixel_is $((SX + SHEET_W)) "$SY" "$BACKDROP_RGB"; } &&
        { ((SY + SHEET_H == SCREEN_H)) || pixel_is "$SX" $((SY + SHEET_H)) "$BACKDROP_RGB"; }
}
# A drag of 200 by 100 pixels towards the middle of the screen, so that the
# sheet stays on it.
drag_dx() { if ((SX + SHEET_W / 2 < SCREEN_W / 2)); then echo 200; else echo -200; fi; }
drag_dy() { if ((SY + SHEET_H / 2 < SCREEN_H / 2)); then echo 100; else echo -100; fi; }

# DISPLAY stays set, as in a session with Xwayland: the program must still
# choose the Wayland display, so no window of its is on the X server.
: >"$WORK/veilix.err"
WAYLAND_DISPLAY=$SOCKET "$VEILIX_BIN" >"$WORK/veilix.out" 2>"$WORK/veilix.err" &
VEILIX_PID=$!
wait_until 20 "the sheet on the compositor's output" locate_sheet
[ -z "$(window_line Hide)" ] || fail "the sheet is an X window, not a Wayland one"

sheet_at() {
    locate_sheet
    [ "$SX $SY" = "$1 $2" ]
}
shows() {
    LAST_SEEN=$(pixel "$1" "$2")
    [ "$LAST_SEEN" = "$3" ]
}
# The menu opens at the pointer, light on the black sheet.
menu_shown_at() { ! pixel_is $(($1 + 30)) $(($2 + 8)) "$BLACK_RGB"; }
# menu X Y KEYS...: right click on the sheet's black area, choose by keys.
menu() {
    local x=$1 y=$2
    shift 2
    xdotool mousemove "$x" "$y" click 3
    wait_until 10 "the menu to open at $x,$y" menu_shown_at "$x" "$y"
    # Keys that come while the new menu is still taking the keyboard from the
    # compositor are lost: they are pressed again while the menu stays open.
    local tries=0
    until xdotool key "$@" && sleep 1 && { ! veilix_alive || ! menu_shown_at "$x" "$y"; }; do
        ((++tries < 5)) || fail "the menu at $x,$y stayed open after the keys $*"
    done
}

case "$CASE" in
    hole)
        # The rectangle hole: 100 x 100 at the sheet's left edge, 50 pixels
        # down, a black frame 2 pixels wide around its lime.
        menu $((SX + 400)) $((SY + 200)) r
        hx=$((SX + 50)) hy=$((SY + 100))
        wait_until 10 "the hole to show the window beneath" shows "$hx" "$hy" "$BACKDROP_RGB"
        for point in "$((SX + 1)) $((SY + 51))" "$((SX + 98)) $((SY + 100))" "$((SX + 300)) $((SY + 100))"; do
            read -r x y <<<"$point"
            pixel_is "$x" "$y" "$BLACK_RGB" || fail "the sheet at $x,$y shows $(pixel "$x" "$y"), not black"
        done

        # A click on the black area stays the sheet's (the press starts a
        # move, which the release ends), and so does the right click that
        # opens the menu.
        xdotool mousemove $((SX + 300)) $((SY + 100)) click 1
        sleep 0.5
        menu $((SX + 400)) $((SY + 200)) Escape
        wait_until 10 "the sheet to stay where it was" sheet_at "$SX" "$SY"
        [ "$(grep -c '^press' "$WORK/underneath.log")" = 0 ] ||
            fail "clicks on the black area reached the window beneath: $(grep '^press' "$WORK/underneath.log")"

        # Clicks in the hole reach the window beneath, where they happened.
        # (Last: the compositor then raises that window above the sheet.)
        for button in 1 3; do
            xdotool mousemove "$hx" "$hy" click "$button"
            wait_until 10 "the window beneath to get button $button at $hx,$hy" \
                grep -qx "release $button $hx $hy" "$WORK/underneath.log"
        done
        expect_alive "after the clicks"
        ;;
    move_then_close)
        x0=$SX y0=$SY dx=$(drag_dx) dy=$(drag_dy)
        press 1 $((x0 + 300)) $((y0 + 200))
        move_to $((x0 + 300)) $((y0 + 200)) $((x0 + 300 + dx)) $((y0 + 200 + dy))
        release 1
        wait_until 10 "the sheet to follow the drag" sheet_at $((x0 + dx)) $((y0 + dy))
        menu $((SX + 300)) $((SY + 200)) c
        wait_for_exit 20
        [ "$EXIT_CODE" = 0 ] || fail "the program ended with exit code $EXIT_CODE, expected 0"
        ;;
    *) fail "unknown case '$CASE'" ;;
esac
echo "PASS"
