#!/usr/bin/env bash
# End-to-end run of Zorvat on a player's photo under Xvfb: a 4000 x 3000 JPEG lying in a folder of
# the player's is added through 設定 › マス画像 › 画像を追加... and the real file dialog, and shows
# whole on a 399 x 299 board; a 10 x 10 game is dealt and played to the end by real clicks
# (board_solver reads the dealt board off a screenshot and finds the slides); the congratulation
# box is answered; after a restart the photo, now in the player's own picture folder, is still
# chosen. Every step waits for what the screen shows, never for a fixed time.
# Usage: zorvat_photo.sh PATH/TO/Zorvat PATH/TO/board_solver
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"
E2E_TITLE=Mirelda

program=${1:?usage: zorvat_photo.sh PATH/TO/Zorvat PATH/TO/board_solver}
solver=${2:?usage: zorvat_photo.sh PATH/TO/Zorvat PATH/TO/board_solver}
start_xvfb
use_private_settings
folder=$(make_program_folder "$program")
shots=$E2E_TMP/shots
mkdir -p "$shots"
ini=$XDG_CONFIG_HOME/Halvoria.ini
pictures=$XDG_DATA_HOME/halvoria/pictures
camera=$E2E_TMP/camera
mkdir -p "$camera"

# A photo stand-in with no two panels alike: red, green, blue and yellow corners blended across.
photo="phone photo.jpg"
/usr/bin/convert -size 4000x3000 xc: \
    -sparse-color Bilinear '0,0 #ff0000 3999,0 #00ff00 0,2999 #0000ff 3999,2999 #ffff00' \
    -quality 90 "$camera/$photo"
# The desktop's Pictures folder, where the file dialog opens.
printf 'XDG_PICTURES_DIR="%s"\n' "$camera" >"$XDG_CONFIG_HOME/user-dirs.dirs"
# Only a few slides, so the shortest solution is quick to find; ten panels a side.
printf '[Mirelda]\nPanelSize=10\nRefreshTimes=40\nMusic=False\n' >"$ini"

stored() {
    awk -F= -v key="$1" '/^\[/ {inside = ($0 == "[Mirelda]")} inside && $1 == key {print $2}' "$ini"
}

# The red, green and blue of one pixel of a screenshot.
pixel() {
    /usr/bin/convert "$1" -crop "1x1+$2+$3" +repage -depth 8 rgb:- | od -An -tu1
}

# Whether a pixel is near a colour (each channel within 40).
pixel_near() {
    local file=$1 x=$2 y=$3 r g b
    read -r r g b < <(pixel "$file" "$x" "$y")
    [ $((r > $4 ? r - $4 : $4 - r)) -le 40 ] && [ $((g > $5 ? g - $5 : $5 - g)) -le 40 ] &&
        [ $((b > $6 ? b - $6 : $6 - b)) -le 40 ]
}

# The photo fills a 399 x 299 board at 15, 15 of the client area; below it is the frame.
board_shows_photo() {
    screenshot "$win" "$shots/now.png"
    pixel_near "$shots/now.png" 17 $((menu + 17)) 255 0 0 &&
        pixel_near "$shots/now.png" $((15 + 397)) $((menu + 17)) 0 255 0 &&
        pixel_near "$shots/now.png" 17 $((menu + 15 + 297)) 0 0 255 &&
        pixel_near "$shots/now.png" $((15 + 397)) $((menu + 15 + 297)) 255 255 0 &&
        ! pixel_near "$shots/now.png" $((15 + 200)) $((menu + 15 + 302)) 128 128 128
}

board="399x299+15"
board_region() { region "$1" "$board+$((menu + 15))"; }

# Two screenshots in a row whose boards agree and differ from the given checksum.
board_settled_away_from() {
    screenshot "$win" "$shots/a.png"
    screenshot "$win" "$shots/b.png"
    local a
    a=$(board_region "$shots/a.png")
    [ "$a" != "$1" ] && [ "$a" = "$(board_region "$shots/b.png")" ]
}

board_equals() {
    screenshot "$win" "$shots/now.png"
    [ "$(board_region "$shots/now.png")" = "$1" ]
}

# The number of visible windows of the program: its window, open menus, boxes and dialogs.
windows_of() {
    xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -c . || true
}

has_windows() {
    [ "$(windows_of)" -eq "$1" ]
}

cell_changed() {
    screenshot "$win" "$shots/now.png"
    [ "$(region "$shots/now.png" "$2")" != "$1" ]
}

start_program "$folder/Zorvat"
pid=$E2E_LAST_PID
win=$(find_window Mirelda)
focus_window "$win"
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$((HEIGHT - 433))
[ "$menu" -gt 0 ] || fail "no menu bar above the client area (height $HEIGHT)"

# Add the photo: 設定 (Alt+S), マス画像 (the second item), then the submenu's last item, below
# デフォルト and a separator.
wait_until "no window appeared" has_windows 1
xdotool key alt+s
wait_until "the second window did not appear" has_windows 2
xdotool key Down Right
wait_until "the third window did not appear" has_windows 3
xdotool key Down Return
dialog=$(find_window "画像を追加")
focus_window "$dialog"
# The dialog opens in the Pictures folder, so the file's own name is enough.
xdotool type --delay 10 "$photo"
xdotool key Return
wait_until "the board does not show the photo" board_shows_photo
[ -f "$pictures/$photo" ] || fail "the photo was not copied into the player's picture folder"
cmp -s "$pictures/$photo" "$camera/$photo" || fail "the copy differs from the photo"
cp "$shots/now.png" "$shots/solved.png"
solved=$(board_region "$shots/solved.png")

# The closed dialog took the keyboard with it.
focus_window "$win"
xdotool key F2
wait_until "F2 did not scramble the board" board_settled_away_from "$solved"
cp "$shots/a.png" "$shots/dealt.png"
"$solver" "$shots/solved.png" "$shots/dealt.png" 10 15 $((menu + 15)) 399 299 >"$E2E_TMP/moves" ||
    fail "the dealt board could not be read or solved"
moves=$(grep -c . "$E2E_TMP/moves" || true)
[ "$moves" -gt 0 ] || fail "the dealt board was already solved"

# Each press slides one panel into the blank: the pressed cell's middle changes.
while read -r cx cy; do
    x=$((15 + (2 * cx - 1) * 399 / 20))
    y=$((menu + 15 + (2 * cy - 1) * 299 / 20))
    spot="8x8+$((x - 4))+$((y - 4))"
    screenshot "$win" "$shots/before.png"
    before=$(region "$shots/before.png" "$spot")
    xdotool mousemove --window "$win" "$x" "$y" click 1
    wait_until "a click did not slide its panel" cell_changed "$before" "$spot"
done <"$E2E_TMP/moves"

box=$(other_window "$win")
focus_window "$box"
xdotool key Return
wait_gone "$box"
# The whole photo again, without grid lines.
wait_until "the board was not solved" board_equals "$solved"

focus_window "$win"
xdotool key F4
wait_exit "$pid"
[ "$(stored Picture)" = "$photo" ] || fail "Picture is '$(stored Picture)'"
[ "$(stored PanelSize)" = 10 ] || fail "PanelSize is '$(stored PanelSize)'"
best=$(stored HiScore4)
[[ "$best" =~ ^[0-9]+$ ]] && [ "$best" -gt 0 ] || fail "HiScore4 is '$best'"

# Started again, the photo is still the picture, whole on the board.
start_program "$folder/Zorvat"
pid=$E2E_LAST_PID
win=$(find_window Mirelda)
wait_until "the board does not show the photo" board_shows_photo
focus_window "$win"
xdotool key F4
wait_exit "$pid"
echo "ok: solved a 10x10 board of a 4000x3000 photo in $moves slides, best score $best stored"
