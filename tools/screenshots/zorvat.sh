#!/usr/bin/env bash
# Screenshots of Zorvat under Xvfb, for looking at the layout: before a game, during a game (after
# F2 and a few clicks), each of the three menus open, and a second run with a shuffle count of 0
# for the congratulation box and the board after completion.
# Usage: tools/screenshots/zorvat.sh DIR [PATH/TO/Zorvat]   (default: build/bin/Zorvat)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../tests/e2e/lib.sh
source "$top/tests/e2e/lib.sh"
E2E_TITLE=Mirelda

out=${1:?usage: zorvat.sh DIR [PATH/TO/Zorvat]}
program=${2:-$top/build/bin/Zorvat}
[ -x "$program" ] || fail "no program at $program"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Clicks the middle of cell (x, y) of the 4 x 4 board of the built-in picture.
click_cell() {
    xdotool mousemove --window "$win" $((15 + 100 * ($1 - 1) + 50)) $((menu + 15 + 100 * ($2 - 1) + 50)) click 1
    sleep 0.15
}

start_xvfb
use_private_settings
folder=$(make_program_folder "$program")

start_program "$folder/Zorvat"
win=$(find_window Mirelda)
focus_window "$win"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$((HEIGHT - 433))
screenshot "$win" "$out/zorvat-1-start.png"

xdotool key F2
sleep 0.3
for cell in "1 1" "2 2" "3 3" "4 4" "4 3" "3 4" "2 4" "4 2"; do
    # shellcheck disable=SC2086
    click_cell $cell
done
sleep 1.2
screenshot "$win" "$out/zorvat-2-playing.png"

n=3
for letter in g s v; do
    focus_window "$win"
    xdotool key "alt+$letter"
    sleep 0.4
    # The settings menu's first submenu, opened too, shows the grid sizes and their mark.
    if [ "$letter" = s ]; then
        xdotool key Right
        sleep 0.4
    fi
    screen_shot "$out/zorvat-$n-menu-$letter.png"
    xdotool key Escape Escape
    sleep 0.2
    n=$((n + 1))
done
focus_window "$win"
xdotool key F4
wait_exit "$E2E_LAST_PID"

# Second run: a solved board, one slide and back, completes the game.
printf '[Mirelda]\nRefreshTimes=0\n' >"$XDG_CONFIG_HOME/Halvoria.ini"
start_program "$folder/Zorvat"
win=$(find_window Mirelda)
focus_window "$win"
sleep 0.5
xdotool key F2
sleep 0.3
click_cell 4 3
screenshot "$win" "$out/zorvat-6-one-slide.png"
click_cell 4 4
box=$(other_window "$win")
sleep 0.3
screen_shot "$out/zorvat-7-congratulations.png"
focus_window "$box"
xdotool key Return
sleep 0.4
screenshot "$win" "$out/zorvat-8-completed.png"
focus_window "$win"
xdotool key F4
wait_exit "$E2E_LAST_PID"
ls "$out"/zorvat-*.png
