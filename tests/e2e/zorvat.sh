#!/usr/bin/env bash
# End-to-end run of Zorvat under Xvfb: a store whose shuffle count is 0, so F2 deals a solved
# board; one real click completes it; the congratulation box is answered from the keyboard; F4
# leaves; the settings file then holds the score as the best of 4 x 4.
# Usage: zorvat.sh PATH/TO/Zorvat
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"
E2E_TITLE=Mirelda

program=${1:?usage: zorvat.sh PATH/TO/Zorvat}
start_xvfb
use_private_settings
folder=$(make_program_folder "$program")
shots=$E2E_TMP/shots
mkdir -p "$shots"
ini=$XDG_CONFIG_HOME/Halvoria.ini
printf '[Mirelda]\nRefreshTimes=0\n' >"$ini"

# The value of a key of the [Mirelda] section.
stored() {
    awk -F= -v key="$1" '/^\[/ {inside = ($0 == "[Mirelda]")} inside && $1 == key {print $2}' "$ini"
}

start_program "$folder/Zorvat"
pid=$E2E_LAST_PID
win=$(find_window Mirelda)
focus_window "$win"

# The window is the menu bar over the 626 x 433 client area; the board sits at 15, 15.
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" -eq 626 ] || fail "window is $WIDTH pixels wide"
menu=$((HEIGHT - 433))
[ "$menu" -gt 0 ] || fail "no menu bar above the client area (height $HEIGHT)"
blank_cell="99x99+$((15 + 300))+$((menu + 15 + 300))"

wait_painted "$win" "$shots/start.png"
start_blank=$(region "$shots/start.png" "$blank_cell")
xdotool key F2
wait_region "$win" "$shots/dealt.png" "$blank_cell" != "$start_blank" "F2 left the blank cell as it was"

# A press on the top-left panel slides nothing, and the solved board is complete.
xdotool mousemove --window "$win" $((15 + 50)) $((menu + 15 + 50)) click 1
box=$(other_window "$win")
focus_window "$box"
xdotool key Return
wait_gone "$box"
wait_region "$win" "$shots/completed.png" "$blank_cell" = "$start_blank" \
    "the whole picture did not come back after completion"

focus_window "$win"
xdotool key F4
wait_exit "$pid"

[ -f "$ini" ] || fail "no settings file after the close"
best=$(stored HiScore1)
# A solved board with no slides scores 1010 within the first five seconds, one point less for
# every further ten.
[[ "$best" =~ ^[0-9]+$ ]] || fail "HiScore1 is '$best', not a number"
[ "$best" -ge 1000 ] && [ "$best" -le 1010 ] || fail "HiScore1 is $best, expected about 1010"
[ "$(stored RefreshTimes)" = 0 ] || fail "RefreshTimes was not written back as 0"
[ "$(stored PanelSize)" = 4 ] || fail "PanelSize is '$(stored PanelSize)'"
echo "ok: completed a 4x4 board, best score $best stored"
