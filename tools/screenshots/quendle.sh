#!/usr/bin/env bash
# Screenshots of Quendle under Xvfb, for looking at the layout: before a game, during a game (after
# F2 and some clicks), after a give-up, and with each of the three menus open.
# Usage: tools/screenshots/quendle.sh DIR [PATH/TO/Quendle]   (default: build/bin/Quendle)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../tests/e2e/lib.sh
source "$top/tests/e2e/lib.sh"
E2E_TITLE=Colvane

out=${1:?usage: quendle.sh DIR [PATH/TO/Quendle]}
program=${2:-$top/build/bin/Quendle}
[ -x "$program" ] || fail "no program at $program"
mkdir -p "$out"
out=$(cd "$out" && pwd)

start_xvfb
use_private_settings
folder=$(make_program_folder "$program")
start_program "$folder/Quendle"
win=$(find_window Colvane)
focus_window "$win"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$((HEIGHT - 293))

screenshot "$win" "$out/quendle-1-start.png"

xdotool key F2
sleep 0.3
for x in 0 3 6 9 12 15 18; do
    xdotool mousemove --window "$win" $((10 + 25 * x + 12)) $((menu + 10 + 25 * 9 + 12)) click 1
    sleep 0.1
done
sleep 0.3
screenshot "$win" "$out/quendle-2-playing.png"

# Each menu opened with Alt and its letter, and the music submenu.
menu_shot() {
    local name=$1
    shift
    focus_window "$win"
    xdotool key "$@"
    sleep 0.4
    screen_shot "$out/quendle-$name.png" 640x420+0+0
    xdotool key Escape Escape
    sleep 0.2
}
menu_shot 3-menu-game alt+g
menu_shot 4-menu-settings alt+s
menu_shot 5-menu-music alt+s Right
menu_shot 6-menu-version alt+v

# Give up: the question, then the best-score box, each shot before it is answered.
focus_window "$win"
xdotool key F3
question=$(other_window "$win")
sleep 0.3
screen_shot "$out/quendle-7-question.png" 640x420+0+0
focus_window "$question"
xdotool key Return
best=$(other_window "$win" "$question")
sleep 0.3
screen_shot "$out/quendle-8-best.png" 640x420+0+0
focus_window "$best"
xdotool key Return
sleep 0.5
screenshot "$win" "$out/quendle-9-given-up.png"

focus_window "$win"
xdotool key F4
wait_exit "$E2E_LAST_PID"
ls "$out"/quendle-*.png
