#!/usr/bin/env bash
# The command line and the start without a usable display, one row per case:
# what is asked, the exit code, and what the program prints. None of these
# needs a display; the program runs with a bare environment, so nothing of the
# caller's session leads it to a display. A failure to start is one sentence
# on standard error and exit code 1, never Qt's abort (exit code 134).
set -euo pipefail
VEILIX_BIN=$(realpath "${1:?usage: command_line_test.sh VEILIX PROBE}")

WORK=$(mktemp -d "${TMPDIR:-/tmp}/veilix-cli.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
failures=0

# An X display number with no server: nothing listens on its socket.
free_display=4242
while [ -e "/tmp/.X11-unix/X$free_display" ]; do free_display=$((free_display + 1)); done

# name | environment (space-separated) | arguments | exit code | output | what
# the output must match (extended regex over all of it, its last newline left
# out)
cases=(
    "help||--help|0|stdout|^Usage: veilix \[--help \| --version\].*--version +print the version and exit"
    "short help||-h|0|stdout|^Usage: veilix "
    "version||--version|0|stdout|^veilix [0-9]+\.[0-9]+$"
    "unknown option||--frobnicate|2|stderr|^veilix: unknown option '--frobnicate'; 'veilix --help' lists what it accepts\.$"
    "stray argument||notes.txt|2|stderr|^veilix: unexpected argument 'notes\.txt'"
    "help with more||--help --full|2|stderr|'--full'"
    "no display|||1|stderr|^veilix: no display to show the sheet on: neither DISPLAY nor WAYLAND_DISPLAY is set\.$"
    "session restore, no display||-session 1a2b3c|1|stderr|^veilix: no display to show the sheet on: neither DISPLAY nor WAYLAND_DISPLAY is set\.$"
    "session without its id||-session|2|stderr|^veilix: unknown option '-session'"
    "X display that cannot be opened|DISPLAY=:$free_display||1|stderr|^veilix: .*the X display ':$free_display' cannot be opened\.$"
    "Wayland display that cannot be reached|WAYLAND_DISPLAY=nowhere XDG_RUNTIME_DIR=$WORK||1|stderr|^veilix: .*the Wayland display 'nowhere' cannot be reached\.$"
    "X11 asked for without DISPLAY|QT_QPA_PLATFORM=xcb||1|stderr|^veilix: no display .*QT_QPA_PLATFORM=xcb.*DISPLAY is not set\.$"
    "missing platform plugin|QT_QPA_PLATFORM=nosuchplugin XDG_RUNTIME_DIR=$WORK||1|stderr|^veilix: Qt could not start its platform plugin 'nosuchplugin' \(installed plugins: .*xcb.*\)\.$"
)

for row in "${cases[@]}"; do
    IFS='|' read -r name environment arguments want_code stream pattern <<<"$row"
    code=0
    # shellcheck disable=SC2086  # environment and arguments are word lists
    env -i PATH="$PATH" HOME="$WORK" $environment "$VEILIX_BIN" $arguments >"$WORK/out" 2>"$WORK/err" || code=$?
    if [ "$stream" = stdout ]; then
        printed=$(cat "$WORK/out") other=err
    else
        printed=$(cat "$WORK/err") other=out
    fi
    problem=""
    if [ "$code" != "$want_code" ]; then
        problem="exit code $code, expected $want_code"
    elif ! [[ $printed =~ $pattern ]]; then
        problem="$stream does not match /$pattern/"
    elif [ -s "$WORK/$other" ]; then
        problem="it also printed on std$other: $(cat "$WORK/$other")"
    elif [ "$stream" = stderr ] && [ "$(wc -l <"$WORK/err")" != 1 ]; then
        problem="standard error is not one line"
    fi
    if [ -n "$problem" ]; then
        echo "FAIL [$name]: $problem" >&2
        echo "-- stdout:" >&2 && cat "$WORK/out" >&2
        echo "-- stderr:" >&2 && cat "$WORK/err" >&2
        failures=$((failures + 1))
    fi
done
[ "$failures" = 0 ] || exit 1
echo "PASS"
