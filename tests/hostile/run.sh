#!/usr/bin/env bash
# The hostile-environment table: each row starts the real programs in a bad environment (odd
# program folders, damaged pictures, broken or unwritable stores, missing media, rivals for the
# store, a kill while closing) and checks that they run, close with status 0 and lose nothing
# stored, neither their own keys nor the other program's section.
# Usage: run.sh PATH/TO/Zorvat PATH/TO/Quendle [ROW...]   (no row: the whole table)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
zorvat=$(realpath "${1:?usage: run.sh ZORVAT QUENDLE [ROW...]}")
quendle=$(realpath "${2:?usage: run.sh ZORVAT QUENDLE [ROW...]}")
shift 2

# The table; each row is the function of the same name below.
TABLE=(
    row_odd_folder_name        # space, quote, "&" and Japanese in the program folder
)

# --- Helpers ---------------------------------------------------------------------------------

# The other program's section, written before each row and compared after it.
MIRELDA_KEEP=$'[Mirelda]\nPanelSize=5\nSound=False\nMusic=False\nPicture=\nRefreshTimes=7\nHiScore1=11\nHiScore2=22\nHiScore3=33\nHiScore4=44'
COLVANE_KEEP=$'[Colvane]\nHiscore=4321\nMusic=False'

ini() { echo "$XDG_CONFIG_HOME/Halvoria.ini"; }

# The value of one key of one section of a settings file (empty when missing), with the INI
# quoting of quotes and backslashes undone.
stored() {
    local section=$1 key=$2 file=${3:-$(ini)}
    awk -F= -v want="[$section]" -v key="$key" '
        /^\[/ { inside = ($0 == want) }
        inside && $1 == key {
            sub(/^[^=]*=/, "")
            if ($0 ~ /^".*"$/) $0 = substr($0, 2, length($0) - 2)
            gsub(/\\"/, "\"")
            gsub(/\\\\/, "\\")
            print
            exit
        }' "$file"
}

# Whether a key is present at all.
has_key() {
    local section=$1 key=$2 file=${3:-$(ini)}
    awk -F= -v want="[$section]" -v key="$key" '
        /^\[/ { inside = ($0 == want) }
        inside && $1 == key { found = 1 } END { exit !found }' "$file"
}

expect_value() {
    local section=$1 key=$2 want=$3 file=${4:-$(ini)} got
    has_key "$section" "$key" "$file" || fail "[$section] $key is missing"
    got=$(stored "$section" "$key" "$file")
    [ "$got" == "$want" ] || fail "[$section] $key is '$got', expected '$want'"
}

# The kept section of the other program is still there, key by key.
expect_kept() {
    local which=$1 file=${2:-$(ini)} line
    local keep=$MIRELDA_KEEP section=Mirelda
    [ "$which" == Colvane ] && { keep=$COLVANE_KEEP; section=Colvane; }
    while IFS= read -r line; do
        [[ "$line" == \[* ]] && continue
        expect_value "$section" "${line%%=*}" "${line#*=}" "$file"
    done <<<"$keep"
}

is_whole() { [[ "$1" =~ ^-?[0-9]+$ ]]; }
is_bool() { [ "$1" == True ] || [ "$1" == False ]; }

# Zorvat's own keys, all present with values it could have written.
expect_zorvat_keys() {
    local file=${1:-$(ini)} v k
    v=$(stored Mirelda PanelSize "$file")
    is_whole "$v" && [ "$v" -ge 2 ] && [ "$v" -le 10 ] || fail "PanelSize is '$v'"
    for k in Sound Music; do
        v=$(stored Mirelda $k "$file")
        is_bool "$v" || fail "[Mirelda] $k is '$v'"
    done
    has_key Mirelda Picture "$file" || fail "[Mirelda] Picture is missing"
    for k in RefreshTimes HiScore1 HiScore2 HiScore3 HiScore4; do
        v=$(stored Mirelda $k "$file")
        is_whole "$v" && [ "$v" -ge 0 ] || fail "[Mirelda] $k is '$v'"
    done
}

expect_quendle_keys() {
    local file=${1:-$(ini)} v
    v=$(stored Colvane Hiscore "$file")
    is_whole "$v" && [ "$v" -ge 0 ] || fail "[Colvane] Hiscore is '$v'"
    v=$(stored Colvane Music "$file")
    is_bool "$v" || fail "[Colvane] Music is '$v'"
}

# Runs a program in the background, as user nobody when AS_NOBODY is set; pid in E2E_LAST_PID.
launch() {
    if [ -n "${AS_NOBODY:-}" ]; then
        start_program setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
    else
        start_program "$@"
    fi
}

# Waits for the process to end within a few seconds and fails unless its status is 0.
expect_clean_exit() {
    local pid=$1 i rc
    for i in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "process $pid did not end within 10 s after F4"
    wait "$pid"
    rc=$?
    [ "$rc" -eq 0 ] || fail "process $pid ended with status $rc: $(tail -n 5 "$E2E_TMP/program.log")"
}

# The program's window (the only one with its title).
title_of() { [ "$(basename "$1")" == Zorvat ] && echo Mirelda || echo Colvane; }

# Starts a program, waits for its window and focuses it; sets PID and WIN.
open_program() {
    launch "$@"
    PID=$E2E_LAST_PID
    WIN=$(find_window "$(title_of "$1")")
    focus_window "$WIN"
    sleep 0.4
    kill -0 "$PID" 2>/dev/null || fail "$1 ended right after showing its window"
}

# The n-th window with a title that is not among the given ones (waits up to 10 s).
new_window() {
    local title=$1 i id
    shift
    for i in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true); do
            case " $* " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
        done
        sleep 0.1
    done
    fail "no new $title window"
}

# A game, a few presses on the board, still running.
play_zorvat() {
    focus_window "$WIN"
    xdotool key F2
    sleep 0.5
    local x y
    for x in 3 1 2; do
        for y in 3 2; do
            xdotool mousemove --window "$WIN" $((15 + 100 * x + 50)) $((MENU + 15 + 100 * y + 50)) click 1
            sleep 0.05
        done
    done
    sleep 0.2
    kill -0 "$PID" 2>/dev/null || fail "Zorvat ended during play"
}

play_quendle() {
    focus_window "$WIN"
    xdotool key F2
    sleep 0.5
    local x y
    for x in 1 7 13 19; do
        for y in 9 5; do
            xdotool mousemove --window "$WIN" $((10 + 25 * x + 12)) $((MENU + 10 + 25 * y + 12)) click 1
            sleep 0.05
        done
    done
    sleep 0.2
    kill -0 "$PID" 2>/dev/null || fail "Quendle ended during play"
}

# The height of the menu bar above a program's client area.
menu_height() {
    local client=$1
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    MENU=$((HEIGHT - client))
}

# Starts Zorvat, plays, and closes it with F4; fails unless it closes cleanly.
zorvat_session() {
    open_program "$@"
    menu_height 433
    play_zorvat
    close_program
}

quendle_session() {
    open_program "$@"
    menu_height 293
    play_quendle
    close_program
}

close_program() {
    focus_window "$WIN"
    xdotool key F4
    expect_clean_exit "$PID"
}

# Chooses the n-th item (0: the built-in picture) of Zorvat's picture menu by keyboard.
choose_picture() {
    local n=$1
    focus_window "$WIN"
    xdotool key alt+s
    sleep 0.3
    xdotool key Down
    sleep 0.1
    xdotool key Right
    sleep 0.3
    if [ "$n" == last ]; then
        xdotool key End
    else
        local i
        for ((i = 0; i < n; i++)); do xdotool key Down; done
    fi
    sleep 0.1
    xdotool key Return
    sleep 0.4
    kill -0 "$PID" 2>/dev/null || fail "Zorvat ended after choosing picture $n"
}

# Pre-writes the store with the other program's section (and any extra text given).
seed_store() {
    mkdir -p "$XDG_CONFIG_HOME"
    { echo "$MIRELDA_KEEP"; echo; echo "$COLVANE_KEEP"; if [ $# -gt 0 ]; then printf '%s\n' "$@"; fi; } >"$(ini)"
}

# A small picture file of the given size, by ImageMagick.
make_picture() {
    /usr/bin/convert -size "${3:-40x30}" "gradient:red-blue" "$2:$1"
}

# --- Rows ------------------------------------------------------------------------------------

row_odd_folder_name() {
    local folder="$E2E_TMP/ゲーム フォルダ \"引用\" & more"
    make_program_folder "$zorvat" "$folder" >/dev/null
    cp "$quendle" "$folder/"
    make_picture "$folder/絵 & \"1\".bmp" bmp
    seed_store
    open_program "$folder/Zorvat"
    menu_height 433
    choose_picture 1
    play_zorvat
    close_program
    expect_zorvat_keys
    expect_value Mirelda Picture '絵 & "1".bmp'
    expect_kept Colvane
    seed_store
    quendle_session "$folder/Quendle"
    expect_quendle_keys
    expect_kept Mirelda
}

row_unlistable_folder() {
    :
}

# --- Running the table -----------------------------------------------------------------------

run_row() {
    (
        # shellcheck source=../e2e/lib.sh
        source "$here/../e2e/lib.sh"
        chmod 755 "$E2E_TMP"
        start_xvfb
        use_private_settings
        "$1"
    )
}

rows=("$@")
[ ${#rows[@]} -eq 0 ] && rows=("${TABLE[@]}")
failed=()
for row in "${rows[@]}"; do
    row=row_${row#row_}
    declare -F "$row" >/dev/null || { echo "no row $row" >&2; exit 2; }
    run_row "$row"
    rc=$?
    if [ "$rc" -eq 0 ]; then echo "ok   ${row#row_}"; else echo "FAIL ${row#row_}"; failed+=("$row"); fi
done
[ ${#failed[@]} -eq 0 ] || { echo "failed rows: ${failed[*]}" >&2; exit 1; }
