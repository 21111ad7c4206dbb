#!/usr/bin/env bash
# End-to-end run of Quendle under Xvfb: a new game, removals by real mouse clicks, a give-up
# answered from the keyboard, Exit by F4, and the best score found in the settings file and shown
# again by a second run.
# Usage: quendle.sh PATH/TO/Quendle
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"
E2E_TITLE=Colvane

program=${1:?usage: quendle.sh PATH/TO/Quendle}
start_xvfb
use_private_settings
folder=$(make_program_folder "$program")
shots=$E2E_TMP/shots
mkdir -p "$shots"

# Answers the message box that comes up next with Return (its default button); prints its id.
answer_box() {
    local box
    box=$(other_window "$win" "$@")
    focus_window "$box"
    xdotool key Return
    wait_gone "$box"
    echo "$box"
}

start_program "$folder/Quendle"
pid=$E2E_LAST_PID
win=$(find_window Colvane)
focus_window "$win"

# The window is the menu bar over the 520 x 293 client area.
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" -eq 520 ] || fail "window is $WIDTH pixels wide"
menu=$((HEIGHT - 293))
[ "$menu" -gt 0 ] || fail "no menu bar above the client area (height $HEIGHT)"
board="500x250+10+$((menu + 10))"
score="89x25+48+$((menu + 270))"
best="89x25+200+$((menu + 270))"

wait_painted "$win" "$shots/start.png"
best_at_start=$(region "$shots/start.png" "$best")
empty_board=$(region "$shots/start.png" "$board")

xdotool key F2
wait_region "$win" "$shots/dealt.png" "$board" != "$empty_board" "F2 drew no board"
# The deal is drawn at once, but the score label may follow; wait until the window is settled.
wait_painted "$win" "$shots/dealt.png"
dealt_board=$(region "$shots/dealt.png" "$board")
dealt_score=$(region "$shots/dealt.png" "$score")

# Click three rows of most columns; on a full random board many of these cells are in groups.
for x in 1 4 7 10 13 16 19 2 5 8 11 14 17; do
    for y in 9 6 3; do
        xdotool mousemove --window "$win" $((10 + 25 * x + 12)) $((menu + 10 + 25 * y + 12)) click 1
    done
done
wait_region "$win" "$shots/clicked.png" "$board" != "$dealt_board" "no click removed a group"
wait_region "$win" "$shots/clicked.png" "$score" != "$dealt_score" \
    "the score did not change after a removal"

# Give up: Return answers Yes to the question; a fresh store makes any positive score a new best.
focus_window "$win"
xdotool key F3
question=$(answer_box)
answer_box "$question" >/dev/null
wait_region "$win" "$shots/given-up.png" "$board" = "$empty_board" "the board was not wiped by the give-up"
wait_region "$win" "$shots/given-up.png" "$best" != "$best_at_start" "the best score label still shows 0"
best_after=$(region "$shots/given-up.png" "$best")

focus_window "$win"
xdotool key F4
wait_exit "$pid"

ini=$XDG_CONFIG_HOME/Halvoria.ini
[ -f "$ini" ] || fail "no settings file written"
hiscore=$(sed -n '/^\[Colvane\]/,/^\[/s/^Hiscore=//p' "$ini")
music=$(sed -n '/^\[Colvane\]/,/^\[/s/^Music=//p' "$ini")
[[ "$hiscore" =~ ^[1-9][0-9]*$ ]] || fail "stored Hiscore is '$hiscore'"
[ "$music" == "True" ] || fail "stored Music is '$music'"

# A second run shows the stored best exactly as the first run showed it after the give-up.
start_program "$folder/Quendle"
pid=$E2E_LAST_PID
win=$(find_window Colvane)
wait_region "$win" "$shots/second.png" "$best" = "$best_after" \
    "the second run does not show the stored best score $hiscore"
focus_window "$win"
xdotool key F4
wait_exit "$pid"

echo "e2e.quendle: removals made, best score $hiscore stored and shown again"
