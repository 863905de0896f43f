#!/usr/bin/env bash
# Moving the sheet under a window manager (openbox), which moves the window
# itself and tells us its new place only when it gets round to it. The release
# that ends a drag must pull the sheet back from where that drag left it, on
# either edge, and keep the other coordinate.
# On a 200 % desktop the manager moves the window in device pixels, and the
# place read back must not be taken for a logical one.
# shellcheck disable=SC2034  # read by lib.sh
[ "${3:-}" = right_at_200 ] && E2E_SCREEN_W=3840 E2E_SCREEN_H=2160 E2E_RATIO=2
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

# The manager puts the sheet in a frame of its own, so it is no longer a child
# of the root window: ask for its place on the screen by name.
sheet_place() {
    local X Y WINDOW
    WINDOW=$(xdotool search --name '^Hide$' 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] || return 0
    eval "$(xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null)"
    echo "$X $Y"
}
sheet_at() {
    LAST_SEEN=$(sheet_place)
    [ "$LAST_SEEN" = "$1 $2" ]
}
stencil_painted() {
    [ -n "$(sheet_place)" ] && pixel_is $((SHEET_X + SHEET_W / 2)) $((SHEET_Y + SHEET_H / 2)) "$BLACK_RGB"
}
manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# pointer_moved_sheet_to PX PY X Y: the pointer rests at PX,PY and the sheet
# has followed it to X,Y. On a busy machine the manager may take the pointer
# only after the moves above: it then moves the window at the next motion, as
# a hand that holds still makes none; one step aside and back is that motion.
pointer_moved_sheet_to() {
    sheet_at "$3" "$4" && return 0
    xdotool mousemove $(($1 + 1)) "$2" mousemove "$1" "$2"
    sheet_at "$3" "$4"
}

# drag_black DX DY: drags the sheet's black area from 20 pixels inside its
# top-left corner.
drag_black() {
    local x y
    read -r x y <<<"$(sheet_place)"
    press 1 $((x + 20)) $((y + 20))
    move_to $((x + 20)) $((y + 20)) $((x + 20 + $1)) $((y + 20 + $2))
    wait_until 10 "the sheet to follow the pointer" pointer_moved_sheet_to $((x + 20 + $1)) $((y + 20 + $2)) \
        $((x + $1)) $((y + $2))
    release 1
}

# The manager's stock settings, whatever the caller's own are.
XDG_CONFIG_HOME=$WORK/config openbox >"$WORK/openbox.log" 2>&1 &
MANAGER_PID=$!
EXTRA_PIDS+=("$MANAGER_PID")
wait_until 20 "the window manager to start" manager_running
[ "$RATIO" = 1 ] || xrdb -merge <<<"Xft.dpi: $((96 * RATIO))"
start_veilix
wait_until 10 "the sheet at its designed place" sheet_at "$SHEET_X" "$SHEET_Y"

# Each case ends with the place where the sheet must stay.
# shellcheck disable=SC2119  # add_hole's keys

case "$CASE" in
    right)
        # Ends at x 1519 on the 1920-wide screen: back to x 0 at this release.
        drag_black 1245 0
        want="0 $SHEET_Y"
        ;;
    right_at_200)
        # 1245 logical pixels, as in the case right: past the desktop's right
        # edge (1920 logical), so back to x 0, y kept.
        drag_black 2490 0
        want="0 $SHEET_Y"
        ;;
    bottom)
        drag_black 0 500
        want="$SHEET_X 0"
        ;;
    after_a_move)
        # The first drag stays on the screen; the second overhangs the right
        # and moves down: x goes to 0 and y keeps what that drag gave it.
        drag_black 500 0
        wait_until 10 "the sheet to stay where the drag left it" sheet_at 774 "$SHEET_Y"
        drag_black 700 40
        want="0 $((SHEET_Y + 40))"
        ;;
    middle_release_below)
        # Moved past the right edge by someone else (a pager, the manager's own
        # move), the sheet stays there until a release reaches its black area.
        # A middle press on a hole's rim released below the sheet does not.
        add_hole r
        xdotool search --name '^Hide$' windowmove 1519 "$SHEET_Y"
        wait_until 10 "the sheet moved past the right edge" sheet_at 1519 "$SHEET_Y"
        press 2 $((1519 + 98)) $((HOLE_Y + 50))
        move_to $((1519 + 98)) $((HOLE_Y + 50)) $((1519 + 98)) 800
        release 2
        sleep 0.5
        want="1519 $SHEET_Y"
        ;;
    middle_release_on_cover)
        # The same release over another window that lies over the sheet: it
        # is that window's, and pulls nothing back.
        add_hole r
        xdotool search --name '^Hide$' windowmove 1519 "$SHEET_Y"
        wait_until 10 "the sheet moved past the right edge" sheet_at 1519 "$SHEET_Y"
        cover 1519 $((SHEET_Y + 250)) $((SCREEN_W - 1519)) $((SHEET_H - 250))
        press 2 $((1519 + 98)) $((HOLE_Y + 50))
        move_to $((1519 + 98)) $((HOLE_Y + 50)) $((1519 + 98)) $((SHEET_Y + 300))
        pixel_is $((1519 + 98)) $((SHEET_Y + 300)) "255 0 255" || fail "the press raised the sheet over the cover"
        release 2
        sleep 0.5
        want="1519 $SHEET_Y"
        ;;
    instant_click)
        # Press and release in one burst, as a touchpad's tap sends them: the
        # manager's move must end with it, and the sheet not follow the
        # pointer with no button held.
        xdotool mousemove $((SHEET_X + 20)) $((SHEET_Y + 20)) click 1
        sleep 0.5
        move_to $((SHEET_X + 20)) $((SHEET_Y + 20)) $((SHEET_X + 220)) $((SHEET_Y + 120))
        sleep 0.5
        want="$SHEET_X $SHEET_Y"
        ;;
    *) fail "unknown case '$CASE'" ;;
esac
# shellcheck disable=SC2086  # "x y" as two arguments
wait_until 10 "the sheet to end at $want" sheet_at $want
sleep 0.5
# shellcheck disable=SC2086
sheet_at $want || fail "the sheet moved on to $LAST_SEEN"
# The keyboard is the sheet's again, not held by a move that never ended.
[ "$CASE" != instant_click ] || sync_with_program
expect_alive "after the drags"
echo "PASS"
