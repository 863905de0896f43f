#!/usr/bin/env bash
# Two monitors side by side, the left at 100 %, the right at 200 %, under a
# window manager. A sheet with a hole dragged from the left onto the right is
# composed anew at the right's ratio when Qt moves it there: its window takes
# twice its size, is black edge to edge but for the opening, which is twice as
# wide, and the key colour never shows, neither while it crosses nor after.
# shellcheck disable=SC2034  # read by lib.sh
E2E_SCREEN_W=3840 E2E_SCREEN_H=1080
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

# The output's own monitor becomes the left one; the right one has none.
xrandr --setmonitor LEFT 1920/508x1080/286+0+0 screen >/dev/null
xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none >/dev/null
[ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "no two monitors: $(xrandr --listmonitors)"

manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
XDG_CONFIG_HOME=$WORK/config openbox >"$WORK/openbox.log" 2>&1 &
EXTRA_PIDS+=("$!")
wait_until 20 "the window manager to start" manager_running

# The manager frames the sheet: its place is asked by name.
sheet_geometry() {
    local X Y WIDTH HEIGHT WINDOW
    WINDOW=$(xdotool search --name '^Hide$' 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] || return 0
    eval "$(xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null)"
    echo "$X $Y $WIDTH $HEIGHT"
}
stencil_painted() {
    local x y w h
    read -r x y w h <<<"$(sheet_geometry)"
    [ -n "$h" ] && pixel_is $((x + w / 2)) $((y + h / 2)) "$BLACK_RGB"
}
# sheet_shows WIDTH HEIGHT OPENING: the sheet is WIDTH x HEIGHT and shows
# black and the backdrop only, the backdrop in OPENING x OPENING pixels.
sheet_shows() {
    local x y w h colours
    read -r x y w h <<<"$(sheet_geometry)"
    colours=$("$PROBE" colours "$x" "$y" "$w" "$h")
    LAST_SEEN="${w}x$h at $x,$y showing $(tr '\n' ' ' <<<"$colours")"
    [ "$w $h" = "$1 $2" ] &&
        [ "$(awk -v c="$BACKDROP_HEX" '$1 == c { n = $2 } END { print n + 0 }' <<<"$colours")" = $(($3 * $3)) ] &&
        [ -z "$(awk -v c="$BACKDROP_HEX" '$1 != "000000" && $1 != c' <<<"$colours")" ]
}

# The root window in the backdrop's colour: what the opening shows. (A
# backdrop window of its own would lie over the managed sheet.)
xsetroot -solid "#$BACKDROP_HEX"
QT_SCREEN_SCALE_FACTORS="LEFT=1;RIGHT=2" start_veilix
add_hole r
wait_until 10 "the sheet at 100 % with its opening" sheet_shows 651 338 96

# Drag the black area onto the right monitor in steps, reading the screen as
# the sheet crosses the monitors' edge.
read -r x y _ <<<"$(sheet_geometry)"
press 1 $((x + 300)) $((y + 250))
for step in 1 2 3 4 5 6; do
    xdotool mousemove $((x + 300 + step * 300)) $((y + 250))
    sleep 0.2
    "$PROBE" colours 0 0 "$SCREEN_W" "$SCREEN_H" | grep -q "^$LIME " && fail "the key colour shows at step $step"
done
release 1
wait_until 10 "the sheet at 200 % with its opening" sheet_shows 1302 676 192
read -r x _ <<<"$(sheet_geometry)"
((x >= 1920)) || fail "the sheet ended at x $x, not on the right monitor"
sleep 0.3
sheet_shows 1302 676 192 || fail "a moment later: $LAST_SEEN"
echo "on the right monitor: $LAST_SEEN"

stop_veilix
echo "PASS"
