#!/bin/bash
# Takes the pictures of the user guide (docs/guide/*.png) from the programs as built, on a
# virtual X display of its own, so that the guide shows the program as it is. Needs Xvfb,
# xdotool and ImageMagick's import (tools/install-deps.sh installs them) and a build in build/.
#
#   tools/screenshots.sh [OUTPUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${DISPCRAFT_BIN:-build/bin}
OUT=${1:-docs/guide}
EXAMPLES=${DISPCRAFT_EXAMPLES:-build/examples}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
[ -x "$BIN/dispcraft" ] || { echo "screenshots: $BIN/dispcraft is not built" >&2; exit 1; }
mkdir -p "$OUT"

# A display number no other X server uses.
display=""
for _ in $(seq 1 100); do
    n=$((200 + RANDOM % 700))
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=$n
        break
    fi
done
[ -n "$display" ] || { echo "screenshots: no free display" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1280x860x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 1 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done

# A program directory of its own, so the settings the program writes stay here.
mkdir -p "$work/program"
for f in "$BIN"/*; do
    case "$(basename "$f")" in
        dispcraft* | bulbsmith*) ;;
        *) cp -r "$f" "$work/program/" ;;
    esac
done
mkdir -p "$work/examples"
cp "$EXAMPLES"/*.trn "$work/examples/" # the start pane lists them
export QT_QPA_PLATFORM=xcb

# Starts Dispcraft with the arguments and waits for its main window, placed at the top left.
start() {
    "$BIN/dispcraft" --program-dir "$work/program" --no-logo "$@" >/dev/null 2>&1 &
    app_pid=$!
    main_window=$(xdotool search --sync --onlyvisible --pid "$app_pid" --name 'Dispcraft' | head -1)
    xdotool windowmove "$main_window" 0 0 windowsize "$main_window" 1260 840
    sleep 1.5
}
stop() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
}
# The main window, or the window whose title matches $2.
shot() {
    local window=$main_window
    if [ $# -gt 1 ]; then
        window=$(xdotool search --sync --onlyvisible --name "$2" | tail -1)
    fi
    sleep 0.7
    import -window "$window" "$OUT/$1.png"
    echo "$OUT/$1.png"
}
# A part of the screen (WIDTHxHEIGHT+X+Y), for menus, which are windows of their own.
shot_part() {
    sleep 0.7
    import -window root -crop "$2" +repage "$OUT/$1.png"
    echo "$OUT/$1.png"
}
keys() {
    xdotool windowfocus --sync "$main_window" key --clearmodifiers "$@"
    sleep 0.8
}
# Clicks (or with -2 double-clicks) at a point of the main window.
click() {
    local repeat=1
    if [ "$1" = -2 ]; then
        repeat=2
        shift
    fi
    xdotool mousemove "$1" "$2" click --repeat "$repeat" --delay 80 1
    sleep 0.8
}
# Closes the window on top with Escape.
escape() {
    xdotool key Escape
    sleep 0.5
}

# A project from new to download.
start
shot start
keys ctrl+n
shot new-project 'New Project: Panel Model and Links'
stop

start "$work/examples/two-port-demo.trn" --screens 1
shot screen-window
click 148 8
shot_part objects-menu 560x330+0+0
escape
click -2 600 205 # the flow value
shot numdisp-dialog '^Numeric Display$'
escape
click -2 410 346 # the panel key F1 (K1): shows screen 1 on every screen
shot key-dialog "^Key "
escape
click -2 98 247 # Alarm group 1 in the project tree
shot alarm-dialog '^Alarm Group$'
escape
click -2 100 373 # Data exchange
shot data-exchange '^Address Pair Table$'
escape
click -2 104 319 # Control settings
shot panel-settings '^Panel Control Settings$'
escape
keys ctrl+shift+f
xdotool type --delay 60 "DM 7A"
xdotool key Return
shot address-usage '^Find Address Usage$'
escape
keys F7
shot download '^Download$'
escape
keys F5
sleep 2
shot simulator '^Panel Simulator'
stop
