#!/usr/bin/env bash
# A monkey: random presses, drags and releases of the three buttons on and
# around the sheet and its holes, menus opened and chosen from, the sheet
# dragged past the screen's edges, restarts after "&Close". After every few
# actions the program must still answer, no sanitizer may have reported, and
# no lime pixel may show over the sheet; at the end "&Close" ends it with exit
# code 0.
#
# The case is the seed. VEILIX_MONKEY_SECONDS sets how long it plays (45 by
# default); VEILIX_MONKEY_SEED replays one seed. A failure names the seed and
# the action after which a rule broke; the actions so far are in the log.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$@"

SEED=${VEILIX_MONKEY_SEED:-${CASE:-1}}
PLAY_SECONDS=${VEILIX_MONKEY_SECONDS:-45}
CHECK_EVERY=5
RANDOM=$SEED
STEP=0 ACTION="start-up" RUNS=1
LOG=$WORK/monkey.log

monkey_fail() {
    echo "-- the monkey's last actions (seed $SEED):" >&2
    tail -n 15 "$LOG" >&2
    fail "seed $SEED, step $STEP ($ACTION): $*"
}
act() {
    STEP=$((STEP + 1))
    ACTION=$*
    echo "$STEP $ACTION" >>"$LOG"
}

# random_below N: 0 to N-1.
random_below() { echo $((RANDOM % $1)); }

# A point on or around the sheet, on the screen: 150 pixels around it.
random_point() {
    local x y w h
    read -r x y w h <<<"$(window_geometry Hide)"
    local px=$((x - 150 + $(random_below $((w + 300))))) py=$((y - 150 + $(random_below $((h + 300)))))
    px=$((px < 0 ? 0 : px > SCREEN_W - 1 ? SCREEN_W - 1 : px))
    py=$((py < 0 ? 0 : py > SCREEN_H - 1 ? SCREEN_H - 1 : py))
    echo "$px $py"
}

# A point anywhere on the screen, edges included: where a drag may take the
# sheet past the screen's edges.
random_far_point() { echo "$(random_below "$SCREEN_W") $(random_below "$SCREEN_H")"; }

# A menu that an action opened is answered; the program may take a moment to
# open it after the release.
answer_menu() {
    local tries
    for tries in 1 2 3 4 5 6; do
        menu_open && break
        [ "$tries" = 6 ] && return 0
        sleep 0.05
    done
    # Add Rectangle, Add Circle, Add Ellipse, Esc, arrows then Enter; "&Close"
    # is the monkey's way to end a run (below), not one of its choices.
    case $(random_below 6) in
        0) act "menu: r"; xdotool key r ;;
        1) act "menu: Down Down Return"; xdotool key Down Down Return ;;
        2) act "menu: e"; xdotool key e ;;
        3) act "menu: Up Up Return"; xdotool key Up Up Return ;;
        4) act "menu: Escape"; xdotool key Escape ;;
        *) act "menu: click outside"; xdotool mousemove 5 5 click 1 ;;
    esac
    wait_until 10 "the menu to close" menu_closed
}

random_action() {
    local x y x2 y2 button=$((1 + $(random_below 3))) steps i
    read -r x y <<<"$(random_point)"
    case $(random_below 10) in
        0 | 1)
            act "move $x $y"
            xdotool mousemove "$x" "$y"
            ;;
        2 | 3)
            act "click $button at $x $y"
            xdotool mousemove "$x" "$y" click "$button"
            ;;
        4 | 5 | 6)
            if (($(random_below 3) == 0)); then read -r x2 y2 <<<"$(random_far_point)"; else read -r x2 y2 <<<"$(random_point)"; fi
            steps=$((1 + $(random_below 6)))
            act "drag $button from $x $y to $x2 $y2 in $steps steps"
            xdotool mousemove "$x" "$y" mousedown "$button"
            sleep 0.05
            for ((i = 1; i <= steps; i++)); do
                xdotool mousemove $((x + (x2 - x) * i / steps)) $((y + (y2 - y) * i / steps))
            done
            xdotool mouseup "$button"
            ;;
        7)
            # A press of one button while another is held, released in turn.
            local other=$((1 + button % 3))
            read -r x2 y2 <<<"$(random_point)"
            act "press $button at $x $y, press $other at $x2 $y2, release both"
            xdotool mousemove "$x" "$y" mousedown "$button" mousemove "$x2" "$y2" mousedown "$other" \
                mouseup "$other" mouseup "$button"
            ;;
        8 | 9)
            act "right click at $x $y"
            xdotool mousemove "$x" "$y" click 3
            ;;
    esac
    answer_menu
}

# The program answers: with the pointer on a black pixel of the sheet (its
# own), the context-menu key opens the menu and Esc closes it.
no_menu_left_open() {
    menu_open || return 0
    xdotool key Escape
    wait_until 10 "Esc to close a menu left open (seed $SEED, step $STEP)" menu_closed
}

check_rules() {
    local area point
    no_menu_left_open
    veilix_alive || monkey_fail "the program has ended: $(sanitizer_report)"
    [ -z "$(sanitizer_report)" ] || monkey_fail "a sanitizer reported: $(sanitizer_report)"
    no_lime_on_sheet || monkey_fail "$LAST_SEEN"
    area=$(sheet_on_screen)
    # shellcheck disable=SC2086  # four numbers
    point=$("$PROBE" find $area 000000) || monkey_fail "no black pixel of the sheet is on the screen"
    # shellcheck disable=SC2086  # two numbers
    xdotool mousemove $point
    xdotool key Menu
    wait_until 10 "the program to answer the context-menu key (seed $SEED, step $STEP: $ACTION)" menu_open
    xdotool key Escape
    wait_until 10 "Esc to close the menu (seed $SEED, step $STEP)" menu_closed
}

# Ends the run by "&Close", chosen from the menu opened on a black pixel.
close_by_menu() {
    local area point
    no_menu_left_open
    area=$(sheet_on_screen)
    # shellcheck disable=SC2086
    point=$("$PROBE" find $area 000000) || monkey_fail "no black pixel of the sheet to right-click"
    act "close by the menu at $point"
    # shellcheck disable=SC2086
    xdotool mousemove $point click 3
    wait_until 10 "the menu for \"&Close\" (seed $SEED)" menu_open
    xdotool key c
    wait_for_exit 20
    [ "$EXIT_CODE" = 0 ] || monkey_fail "\"&Close\" ended the program with exit code $EXIT_CODE"
}

echo "seed $SEED for ${PLAY_SECONDS}s" | tee "$LOG"
start_backdrop
start_veilix
deadline=$((SECONDS + PLAY_SECONDS))
while ((SECONDS < deadline)); do
    random_action
    if ((STEP % CHECK_EVERY == 0)); then check_rules; fi
    # Now and then a whole run ends and the program starts afresh.
    if (($(random_below 60) == 0)); then
        close_by_menu
        start_veilix
        RUNS=$((RUNS + 1))
    fi
done
check_rules
close_by_menu
echo "PASS: seed $SEED, $STEP actions, $RUNS runs"
