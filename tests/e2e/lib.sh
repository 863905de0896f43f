#!/usr/bin/env bash
# Shared helpers of the end-to-end scripts, sourced as `source lib.sh "$@"`
# with the arguments VEILIX PROBE [CASE]: an X server of the test's own (Xvfb,
# no window manager), the program under test, a coloured backdrop window under
# it, pointer and keyboard input through xdotool, and bounded waits.
# shellcheck disable=SC2034  # names set here are read by the scripts
set -euo pipefail

VEILIX_BIN=${1:?usage: script VEILIX PROBE [CASE]}
PROBE=${2:?usage: script VEILIX PROBE [CASE]}
CASE=${3:-}
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# A script may choose the screen's size and the device pixel ratio it expects
# the program to draw at by setting E2E_SCREEN_W, E2E_SCREEN_H and E2E_RATIO
# before sourcing this; the figures below are then in the screen's (device)
# pixels. E2E_SCREEN_DEPTH sets the screen's bits per pixel.
readonly SCREEN_W=${E2E_SCREEN_W:-1920} SCREEN_H=${E2E_SCREEN_H:-1080} RATIO=${E2E_RATIO:-1}
readonly SCREEN_DEPTH=${E2E_SCREEN_DEPTH:-24}
# device N: N logical pixels in device pixels at RATIO, halves rounded up.
device() { awk -v n="$1" -v r="$RATIO" 'BEGIN { printf "%d\n", int(n * r + 0.5) }'; }
# The sheet's designed place and size.
SHEET_X=$(device 274) SHEET_Y=$(device 309) SHEET_W=$(device 651) SHEET_H=$(device 338)
readonly SHEET_X SHEET_Y SHEET_W SHEET_H
# The backdrop's colour: neither black nor the key colour, so a pixel of it on
# the screen can only come from the window beneath the sheet.
readonly BACKDROP_HEX=3366cc BACKDROP_RGB="51 102 204"
readonly BLACK_RGB="0 0 0"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/veilix-e2e.XXXXXX")
XVFB_PID="" BACKDROP_PID="" VEILIX_PID=""
BACKDROP_ID="" STENCIL_ID=""

# The X server decides which display is free; nothing from the caller's
# session may lead the program elsewhere.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
export XDG_RUNTIME_DIR=$WORK

fail() {
    echo "FAIL${CASE:+ [$CASE]}: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        echo "-- top-level windows (id x y w h override name):" >&2
        "$PROBE" windows >&2 || true
    fi
    if [ -s "$WORK/veilix.err" ]; then
        echo "-- program's standard error:" >&2
        cat "$WORK/veilix.err" >&2
    fi
    exit 1
}

stop_pid() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Processes a script starts besides these (a window manager, a session
# manager); ended by cleanup.
EXTRA_PIDS=()

# sanitizer_report: prints what a sanitizer of the program's build reported on
# its standard error, if anything.
sanitizer_report() {
    grep -E -A 30 'ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:' "$WORK/veilix.err" 2>/dev/null |
        head -n 60 || true
}

# check_end CODE: sets END_PROBLEM to what was wrong with the program's end,
# if anything: every end, the termination signal's included, must give exit
# code 0 and no sanitizer report.
check_end() {
    local report
    report=$(sanitizer_report)
    END_PROBLEM=""
    if [ -n "$report" ]; then
        END_PROBLEM="a sanitizer reported:"$'\n'"$report"
    elif [ "$1" != 0 ]; then
        END_PROBLEM="the program ended with exit code $1, expected 0"
    fi
}

# end_program: ends the program as the session's end would (SIGTERM), within
# a bounded time, and checks its end (END_PROBLEM).
end_program() {
    local pid=$VEILIX_PID code=0 deadline=$((SECONDS + 20))
    VEILIX_PID=""
    kill -TERM "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null && [ "$(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null)" != Z ]; do
        if ((SECONDS >= deadline)); then
            kill -KILL "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            END_PROBLEM="the program did not end within 20 s of SIGTERM"
            return
        fi
        sleep 0.05
    done
    wait "$pid" 2>/dev/null || code=$?
    check_end "$code"
}

cleanup() {
    local status=$?
    # A program still running when a passing test ends must end cleanly too.
    if [ -n "$VEILIX_PID" ]; then
        end_program
        if [ -n "$END_PROBLEM" ] && [ "$status" = 0 ]; then
            echo "FAIL${CASE:+ [$CASE]}: at the end of the test: $END_PROBLEM" >&2
            status=1
        fi
    fi
    local pid
    for pid in "${EXTRA_PIDS[@]}"; do stop_pid "$pid"; done
    stop_pid "$BACKDROP_PID"
    stop_pid "$XVFB_PID"
    rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT

# wait_until SECONDS WHAT COMMAND...: runs COMMAND until it succeeds; fails the
# test naming WHAT when SECONDS have passed, with what COMMAND last put in
# LAST_SEEN, if anything.
wait_until() {
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    LAST_SEEN=""
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out after ${limit}s waiting for $what${LAST_SEEN:+ (last seen: $LAST_SEEN)}"
        sleep 0.05
    done
}

x_server_ready() {
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended at start-up: $(cat "$WORK/xvfb.log")"
    grep -q '^[0-9][0-9]*$' "$WORK/display"
}

start_x_server() {
    Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x${SCREEN_DEPTH}" -nolisten tcp -noreset \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    # The server writes its display number once it accepts clients.
    wait_until 20 "the X server to start" x_server_ready
    DISPLAY=":$(head -n 1 "$WORK/display")"
    export DISPLAY
}

# A window covering the whole screen, mapped before the program, so it lies
# beneath the sheet: what shows and what is clicked through a hole.
start_backdrop() {
    "$PROBE" backdrop 0 0 "$SCREEN_W" "$SCREEN_H" "$BACKDROP_HEX" "$WORK/backdrop.log" &
    BACKDROP_PID=$!
    wait_until 10 "the backdrop window" grep -qsx ready "$WORK/backdrop.log"
    BACKDROP_ID=$(window_id Backdrop)
    [ -n "$BACKDROP_ID" ] || fail "the backdrop window is not on the screen"
}

# Prints the line of `x_probe windows` for the mapped top-level window NAME.
window_line() { "$PROBE" windows | awk -v name="$1" '$7 == name'; }
window_id() { window_line "$1" | awk '{ print $1 }'; }
# Prints "X Y W H" of the mapped top-level window NAME.
window_geometry() { window_line "$1" | awk '{ print $2, $3, $4, $5 }'; }

pixel() { "$PROBE" pixel "$1" "$2"; }

# The sheet's rectangle as far as it is on the screen: "X Y W H", nothing when
# none of it is.
sheet_on_screen() {
    local x y w h
    read -r x y w h <<<"$(window_geometry Hide)"
    [ -n "$h" ] || return 0
    local x0=$((x < 0 ? 0 : x)) y0=$((y < 0 ? 0 : y))
    local x1=$((x + w > SCREEN_W ? SCREEN_W : x + w)) y1=$((y + h > SCREEN_H ? SCREEN_H : y + h))
    ((x1 > x0 && y1 > y0)) && echo "$x0 $y0 $((x1 - x0)) $((y1 - y0))"
}

# The key colour is never shown: not one pixel of it over the whole sheet.
readonly LIME=00ff00
no_lime_on_sheet() {
    local seen area
    area=$(sheet_on_screen)
    [ -n "$area" ] || return 0
    # shellcheck disable=SC2086  # four numbers
    seen=$("$PROBE" colours $area)
    if grep -q "^$LIME " <<<"$seen"; then
        LAST_SEEN="$(grep "^$LIME " <<<"$seen" | cut -d' ' -f2) lime pixels on the sheet at $area"
        return 1
    fi
}
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }

# The middle of the sheet's window wherever it is, so that a sheet at the
# wrong place or size is told by the checks that follow, not by a time-out.
stencil_painted() {
    local x y w h
    read -r x y w h <<<"$(window_geometry Hide)"
    [ -n "$h" ] && pixel_is $((x + w / 2)) $((y + h / 2)) "$BLACK_RGB"
}

# Starts the program and waits until its sheet is on the screen and painted.
start_veilix() {
    : >"$WORK/veilix.err"
    "$VEILIX_BIN" >"$WORK/veilix.out" 2>"$WORK/veilix.err" &
    VEILIX_PID=$!
    wait_until 20 "the stencil window to be shown" stencil_painted
    STENCIL_ID=$(window_id Hide)
}

sheet_gone() { [ -z "$(window_line Hide)" ]; }

# Ends the program and waits until the X server has taken its sheet away, so
# that the next start cannot mistake the old sheet for its own.
stop_veilix() {
    end_program
    [ -z "$END_PROBLEM" ] || fail "$END_PROBLEM"
    VEILIX_PID=""
    wait_until 10 "the ended program's sheet to leave the screen" sheet_gone
}

veilix_alive() {
    [ -n "$VEILIX_PID" ] && kill -0 "$VEILIX_PID" 2>/dev/null &&
        [ "$(awk '{ print $3 }' "/proc/$VEILIX_PID/stat" 2>/dev/null)" != Z ]
}

# wait_for_exit SECONDS: waits until the program has ended; sets EXIT_CODE.
wait_for_exit() {
    wait_until "$1" "the program to end" eval '! veilix_alive'
    EXIT_CODE=0
    wait "$VEILIX_PID" || EXIT_CODE=$?
    VEILIX_PID=""
    local report
    report=$(sanitizer_report)
    [ -z "$report" ] || fail "a sanitizer reported: $report"
}

expect_alive() { veilix_alive || fail "the program has ended: $*"; }

# The popup menu: the one override-redirect window other than the backdrop
# (and a window manager's 1 x 1 window of its own, where one runs).
menu_line() { "$PROBE" windows | awk '$6 == 1 && $7 != "Backdrop" && $4 > 1'; }
menu_open() { [ -n "$(menu_line)" ]; }
menu_closed() { [ -z "$(menu_line)" ]; }

# open_menu X Y: right click at a screen point; waits for the menu.
open_menu() {
    xdotool mousemove "$1" "$2" click 3
    wait_until 10 "the popup menu to open after a right click at $1,$2" menu_open
}

# Waits until the program has handled all input given before: it opens its
# menu for the context-menu key only after that. The pointer must rest on the
# sheet's black area, where the key goes. Leaves no menu open.
sync_with_program() {
    xdotool key Menu
    wait_until 10 "the context-menu key to open the popup menu" menu_open
    xdotool key Escape
    wait_until 10 "Esc to close the popup menu" menu_closed
}

# cover X Y W H: another program's window, of its own colour, over that part
# of the screen. Mapped after the sheet and placed by no window manager, it
# lies above the sheet.
readonly COVER_HEX=ff00ff
COVER_PID=""
cover() {
    : >"$WORK/cover.log"
    "$PROBE" backdrop "$1" "$2" "$3" "$4" "$COVER_HEX" "$WORK/cover.log" &
    COVER_PID=$!
    EXTRA_PIDS+=("$COVER_PID")
    wait_until 10 "the covering window" grep -qsx ready "$WORK/cover.log"
    wait_until 10 "the covering window to show" pixel_is $(($1 + $3 / 2)) $(($2 + $4 / 2)) "255 0 255"
}

# New holes sit at the sheet's left edge, 50 pixels below its top.
readonly HOLE_X=$SHEET_X HOLE_Y=$((SHEET_Y + $(device 50)))

# add_hole KEYS...: right click on the sheet's black area, away from where
# holes appear, and choose an add command by keys.
add_hole() {
    open_menu "$(device 700)" "$(device 500)"
    choose "$@"
    wait_until 10 "the menu to close" menu_closed
}

# Chooses a menu command from the open menu by keys, e.g. `choose c`.
choose() {
    menu_open || fail "no popup menu is open to choose from"
    xdotool key "$@"
}

# pointer_over X Y WINDOW_ID: moves the pointer to a screen point and tells
# whether the X server reports WINDOW_ID as the window under it there.
pointer_over() {
    xdotool mousemove "$1" "$2"
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X" = "$1" ] && [ "$Y" = "$2" ] && [ "$WINDOW" = "$(($3))" ]
}

# press BUTTON X Y: moves the pointer to a screen point and presses there.
press() {
    xdotool mousemove "$2" "$3"
    xdotool mousedown "$1"
    # A hand rests a moment between pressing and moving; the program reads
    # where the pointer is when it handles the press.
    sleep 0.3
}

# move_to FROM_X FROM_Y TO_X TO_Y: moves the pointer in ten steps.
move_to() {
    local x0=$1 y0=$2 x1=$3 y1=$4 step
    for step in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $((x0 + (x1 - x0) * step / 10)) $((y0 + (y1 - y0) * step / 10))
    done
}

release() { xdotool mouseup "$1"; }

start_x_server
