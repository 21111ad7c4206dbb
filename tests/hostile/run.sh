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
    row_unlistable_folder      # a program folder that nobody may list
    row_bad_pictures           # empty, truncated, oversized, mislabelled pictures, a folder y.jpg
    row_many_pictures          # 150 pictures, the menu holds 100
    row_picture_removed        # a picture deleted between start-up and being chosen
    row_config_missing         # XDG_CONFIG_HOME names a folder that does not exist
    row_store_readonly         # a store the program may not write
    row_store_is_folder        # the store's path is a folder
    row_store_is_pipe          # the store's path is a named pipe
    row_lock_unusable          # the store's lock path is a folder or a named pipe
    row_store_garbage          # text and binary junk around the sections
    row_store_huge             # a 10 MB store
    row_store_bad_values       # every key holding letters, nothing, or 99999999999
    row_media_missing          # no tunes and no move sound beside the program
    row_media_module_missing   # the media module gone or damaged: the games play without sound
    row_media_bad_midi         # random bytes as the tunes
    row_no_audio               # an audio driver that does not exist
    row_both_running           # both programs at once, closed in both orders
    row_two_copies             # two copies of one program, closed in both orders
    row_kill_while_closing     # SIGKILL at random moments while closing
    row_terminated             # SIGTERM, SIGINT, SIGHUP during a game with music and over a box
)

# --- Helpers ---------------------------------------------------------------------------------

# The other program's section, written before each row and compared after it.
MIRELDA_KEEP=$'[Mirelda]\nPanelSize=5\nSound=False\nMusic=False\nPicture=\nRefreshTimes=150\nHiScore1=11\nHiScore2=22\nHiScore3=33\nHiScore4=44'
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

# Waits for the process to end and fails unless its status is 0.
expect_clean_exit() {
    local pid=$1 rc
    wait_until "process $pid did not end after F4" process_gone "$pid"
    rc=0
    wait "$pid" || rc=$?
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
    kill -0 "$PID" 2>/dev/null || fail "$1 ended right after showing its window"
}

# A window with a title that is not among the given ones (waits for it).
new_window() {
    local title=$1
    shift
    E2E_TITLE=$title other_window "$@"
}

# A game: F2 changes the board, then a few presses on it, in the order sent.
play_zorvat() {
    local board="400x400+15+$((MENU + 15))" before x y
    focus_window "$WIN"
    screenshot "$WIN" "$E2E_TMP/before.png"
    before=$(region "$E2E_TMP/before.png" "$board")
    xdotool key F2
    wait_region "$WIN" "$E2E_TMP/dealt.png" "$board" != "$before" "F2 dealt no board"
    for x in 3 1 2; do
        for y in 3 2; do
            xdotool mousemove --window "$WIN" $((15 + 100 * x + 50)) $((MENU + 15 + 100 * y + 50)) click 1
        done
    done
    kill -0 "$PID" 2>/dev/null || fail "Zorvat ended during play"
}

# A game: F2 deals, then presses until the score shows a removal.
play_quendle() {
    local board="500x250+10+$((MENU + 10))" score="89x25+48+$((MENU + 270))" before dealt x y
    focus_window "$WIN"
    screenshot "$WIN" "$E2E_TMP/before.png"
    before=$(region "$E2E_TMP/before.png" "$board")
    xdotool key F2
    wait_region "$WIN" "$E2E_TMP/dealt.png" "$board" != "$before" "F2 dealt no board"
    wait_painted "$WIN" "$E2E_TMP/dealt.png"
    dealt=$(region "$E2E_TMP/dealt.png" "$score")
    # Sixteen presses spread over the board: on a full random deal some of them hit a group.
    for x in 1 7 13 19; do
        for y in 9 7 5 3; do
            xdotool mousemove --window "$WIN" $((10 + 25 * x + 12)) $((MENU + 10 + 25 * y + 12)) click 1
        done
    done
    wait_region "$WIN" "$E2E_TMP/played.png" "$score" != "$dealt" "no press removed a group"
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
    local n=$1 keys=(Down Right) i
    if [ "$n" == last ]; then
        # Up from the first item wraps round to the last.
        keys+=(Up)
    else
        for ((i = 0; i < n; i++)); do keys+=(Down); done
    fi
    menu_keys "${keys[@]}" Return
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


# Pre-writes the store with Quendle's kept section and the given [Mirelda] lines.
seed_for_zorvat() {
    mkdir -p "$XDG_CONFIG_HOME"
    { echo "$COLVANE_KEEP"; echo; echo "[Mirelda]"; if [ $# -gt 0 ]; then printf '%s\n' "$@"; fi; } >"$(ini)"
}

seed_for_quendle() {
    mkdir -p "$XDG_CONFIG_HOME"
    { echo "$MIRELDA_KEEP"; echo; echo "[Colvane]"; if [ $# -gt 0 ]; then printf '%s\n' "$@"; fi; } >"$(ini)"
}

# The number of open menus: each is a window of its own, of its program's class but without the
# title that the main windows and message boxes have.
open_menus() {
    local all titled
    all=$({ xdotool search --onlyvisible --class '^(Zorvat|Quendle)$' 2>/dev/null || true; } | grep -c . || true)
    titled=$({ visible_windows Mirelda; visible_windows Colvane; } | grep -c . || true)
    echo $((all - titled))
}
menus_open() { [ "$(open_menus)" -eq "$1" ]; }

# Opens the Settings menu of the window in WIN and presses the given keys in it, waiting for each
# submenu to open (Right) and for every menu to close after the choice (Return).
menu_keys() {
    focus_window "$WIN"
    xdotool key alt+s
    wait_until "the Settings menu did not open" menus_open 1
    local key open=1
    for key in "$@"; do
        xdotool key "$key"
        case $key in
            Right)
                open=$((open + 1))
                wait_until "no submenu opened" menus_open "$open"
                ;;
            Return) wait_until "the menu stayed open after the choice" menus_open 0 ;;
        esac
    done
}

# Zorvat: the n-th grid size (0: 4 x 4, 1: 5 x 5, 2: 8 x 8, 3: 10 x 10).
choose_size() {
    local keys=(Right) i
    for ((i = 0; i < $1; i++)); do keys+=(Down); done
    menu_keys "${keys[@]}" Return
}

# Quendle: music on or off.
quendle_music() {
    if [ "$1" == on ]; then menu_keys Right Return; else menu_keys Right Down Return; fi
}

# Starts another copy beside the window in WIN; sets PID2 and WIN2.
open_second() {
    launch "$@"
    PID2=$E2E_LAST_PID
    WIN2=$(new_window "$(title_of "$1")" "$WIN")
}

# Both programs in one folder; prints the folder.
both_programs() {
    local folder
    folder=$(make_program_folder "$zorvat" "$E2E_TMP/${1:-game}")
    cp "$quendle" "$folder/"
    echo "$folder"
}

# Runs one session of each program in the folder, each against a store holding the other's
# section, and checks both stores afterwards.
both_sessions() {
    local folder=$1
    seed_store
    zorvat_session "$folder/Zorvat"
    expect_zorvat_keys
    expect_kept Colvane
    seed_store
    quendle_session "$folder/Quendle"
    expect_quendle_keys
    expect_kept Mirelda
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
    local folder
    folder=$(both_programs)
    make_picture "$folder/a.bmp" bmp
    chmod 711 "$folder"
    chmod 644 "$folder"/*.mid "$folder"/*.wav "$folder/a.bmp"
    export AS_NOBODY=1
    seed_for_zorvat Picture=a.bmp PanelSize=5
    chown -R nobody "$XDG_CONFIG_HOME"
    zorvat_session "$folder/Zorvat"
    expect_zorvat_keys
    # Nothing is listed, so the stored picture is not offered and falls back to the built-in one.
    expect_value Mirelda Picture ""
    expect_value Mirelda PanelSize 5
    expect_kept Colvane
    seed_store
    chown -R nobody "$XDG_CONFIG_HOME"
    quendle_session "$folder/Quendle"
    expect_quendle_keys
    expect_kept Mirelda
}

row_bad_pictures() {
    local folder name
    folder=$(make_program_folder "$zorvat")
    : >"$folder/x.bmp"
    make_picture "$folder/huge.bmp" bmp
    # Width and height fields of the info header claim 50000 x 50000.
    printf '\x50\xc3\x00\x00\x50\xc3\x00\x00' | dd of="$folder/huge.bmp" bs=1 seek=18 conv=notrunc 2>/dev/null
    make_picture "$E2E_TMP/whole.jpg" jpg 200x150
    head -c "$(($(stat -c %s "$E2E_TMP/whole.jpg") / 2))" "$E2E_TMP/whole.jpg" >"$folder/t.jpg"
    make_picture "$folder/p.jpg" png
    mkdir "$folder/y.jpg"
    make_picture "$folder/z.jpg" jpg

    # Chosen from the menu: huge.bmp, x.bmp, p.jpg, t.jpg, then the sound z.jpg.
    seed_for_zorvat
    open_program "$folder/Zorvat"
    menu_height 433
    for name in 1 2 3 4; do choose_picture "$name"; done
    choose_picture 5
    play_zorvat
    close_program
    expect_zorvat_keys
    expect_value Mirelda Picture z.jpg
    expect_kept Colvane

    # Stored as the picture at start-up.
    for name in x.bmp huge.bmp y.jpg p.jpg t.jpg; do
        seed_for_zorvat "Picture=$name"
        zorvat_session "$folder/Zorvat"
        expect_zorvat_keys
        expect_kept Colvane
        # A PNG named .jpg is read by its content and kept; everything else is unreadable.
        case $name in
            p.jpg) expect_value Mirelda Picture p.jpg ;;
            *) expect_value Mirelda Picture "" ;;
        esac
    done
}

row_many_pictures() {
    local folder i
    folder=$(make_program_folder "$zorvat")
    make_picture "$E2E_TMP/one.bmp" bmp 8x8
    for i in $(seq -w 0 149); do cp "$E2E_TMP/one.bmp" "$folder/p$i.bmp"; done
    seed_for_zorvat
    open_program "$folder/Zorvat"
    menu_height 433
    choose_picture last
    play_zorvat
    close_program
    expect_zorvat_keys
    # The last item of the menu is the 100th file in name order.
    expect_value Mirelda Picture p099.bmp
    expect_kept Colvane
}

row_picture_removed() {
    local folder
    folder=$(make_program_folder "$zorvat")
    make_picture "$folder/a.bmp" bmp
    make_picture "$folder/b.bmp" bmp
    seed_for_zorvat Picture=a.bmp
    open_program "$folder/Zorvat"
    menu_height 433
    rm "$folder/b.bmp"
    choose_picture 2
    play_zorvat
    close_program
    expect_zorvat_keys
    expect_value Mirelda Picture ""
    expect_kept Colvane
}

row_config_missing() {
    local folder
    folder=$(both_programs)
    export XDG_CONFIG_HOME=$E2E_TMP/missing/deeper
    zorvat_session "$folder/Zorvat"
    [ -f "$(ini)" ] || fail "Zorvat did not create $(ini)"
    expect_zorvat_keys
    quendle_session "$folder/Quendle"
    expect_quendle_keys
    expect_zorvat_keys
}

row_store_readonly() {
    local folder before
    folder=$(both_programs)
    chmod 755 "$folder"
    seed_store
    chmod 755 "$XDG_CONFIG_HOME"
    chmod 644 "$(ini)"
    before=$(md5sum <"$(ini)")
    export AS_NOBODY=1
    zorvat_session "$folder/Zorvat"
    quendle_session "$folder/Quendle"
    [ "$(md5sum <"$(ini)")" == "$before" ] || fail "the read-only store was changed"
    [ -z "$(ls -A "$XDG_CONFIG_HOME" | grep -vx Halvoria.ini)" ] || fail "files left: $(ls -A "$XDG_CONFIG_HOME")"
}

row_store_is_folder() {
    local folder
    folder=$(both_programs)
    mkdir -p "$(ini)"
    echo keep >"$(ini)/inside"
    zorvat_session "$folder/Zorvat"
    quendle_session "$folder/Quendle"
    [ -d "$(ini)" ] && [ "$(cat "$(ini)/inside")" == keep ] || fail "the folder in the store's place was touched"
}

row_store_is_pipe() {
    local folder
    folder=$(both_programs)
    mkdir -p "$XDG_CONFIG_HOME"
    mkfifo "$(ini)"
    # Opening the pipe would block until someone writes into it; the window must come all the same.
    zorvat_session "$folder/Zorvat"
    quendle_session "$folder/Quendle"
    [ -p "$(ini)" ] || fail "the named pipe in the store's place was replaced"
    [ -z "$(ls -A "$XDG_CONFIG_HOME" | grep -vx Halvoria.ini)" ] || fail "files left: $(ls -A "$XDG_CONFIG_HOME")"
}

row_lock_unusable() {
    local folder before
    folder=$(both_programs)
    seed_store
    before=$(md5sum <"$(ini)")
    # The lock around each save could never be taken; both close at once with the store as it was.
    mkdir "$(ini).lock"
    zorvat_session "$folder/Zorvat"
    rmdir "$(ini).lock" || fail "the folder in the lock's place was touched"
    mkfifo "$(ini).lock"
    quendle_session "$folder/Quendle"
    [ -p "$(ini).lock" ] || fail "the named pipe in the lock's place was replaced"
    [ "$(md5sum <"$(ini)")" == "$before" ] || fail "the store was written past an unusable lock"
}

row_store_garbage() {
    local folder
    folder=$(both_programs)
    mkdir -p "$XDG_CONFIG_HOME"
    {
        echo "this line is not a setting"
        echo "====="
        echo "[unclosed section"
        # Junk without line ends or brackets, so it stays in one place.
        head -c 3000 /dev/urandom | tr -d '\n\r[]=' 
        echo
        echo "$COLVANE_KEEP"
        echo "[Mirelda]"
        printf 'PanelSize=\x01\x02\xff\xfe\nSound=\xc3\x28\nMusic=\x00yes\nHiScore1=12x\n'
        echo "GarbageKey=more junk ~~~"
    } >"$(ini)"
    zorvat_session "$folder/Zorvat"
    expect_zorvat_keys
    expect_kept Colvane
    expect_value Mirelda PanelSize 4
    expect_value Mirelda Sound True
    expect_value Mirelda HiScore1 0
    # Unreadable lines are dropped at the next write; a well-formed unknown key is kept.
    ! grep -q "this line is not a setting" "$(ini)" || fail "a line that is not a setting was kept"
    ! grep -q "^=====" "$(ini)" || fail "the ===== line was kept"
    expect_value Mirelda GarbageKey "more junk ~~~"
    quendle_session "$folder/Quendle"
    expect_quendle_keys
    expect_value Colvane Hiscore 4321
}

row_store_huge() {
    local folder size
    folder=$(both_programs)
    mkdir -p "$XDG_CONFIG_HOME"
    {
        echo "$COLVANE_KEEP"
        echo "[Filler]"
        awk 'BEGIN { for (i = 0; i < 230000; i++) printf "key%06d=%s\n", i, "some value that fills the file up" }'
    } >"$(ini)"
    size=$(stat -c %s "$(ini)")
    [ "$size" -ge 10000000 ] || fail "the store is only $size bytes"
    zorvat_session "$folder/Zorvat"
    expect_zorvat_keys
    expect_kept Colvane
    expect_value Filler key229999 "some value that fills the file up"
    quendle_session "$folder/Quendle"
    expect_quendle_keys
    expect_value Filler key000000 "some value that fills the file up"
}

row_store_bad_values() {
    local folder value k
    folder=$(both_programs)
    for value in letters "" 99999999999; do
        local lines=()
        for k in PanelSize Sound Music Picture RefreshTimes HiScore1 HiScore2 HiScore3 HiScore4; do
            lines+=("$k=$value")
        done
        seed_for_zorvat "${lines[@]}"
        zorvat_session "$folder/Zorvat"
        expect_zorvat_keys
        expect_kept Colvane
        expect_value Mirelda PanelSize 4
        expect_value Mirelda Sound True
        expect_value Mirelda Music True
        expect_value Mirelda Picture ""
        expect_value Mirelda RefreshTimes 100
        for k in HiScore1 HiScore2 HiScore3 HiScore4; do expect_value Mirelda $k 0; done

        seed_for_quendle "Hiscore=$value" "Music=$value"
        quendle_session "$folder/Quendle"
        expect_kept Mirelda
        expect_value Colvane Hiscore 0
        expect_value Colvane Music True
    done
}

row_media_missing() {
    local folder
    folder=$(both_programs)
    rm "$folder/music.mid" "$folder/music2.mid" "$folder/poka!.wav"
    both_sessions "$folder"
}

row_media_module_missing() {
    local folder
    folder=$(both_programs)
    rm "$folder/halvoria-media.so"
    both_sessions "$folder"
    head -c 2000 /dev/urandom >"$folder/halvoria-media.so"
    both_sessions "$folder"
}

row_media_bad_midi() {
    local folder
    folder=$(both_programs)
    head -c 4096 /dev/urandom >"$folder/music.mid"
    { printf 'MThd\x00\x00\x00\x06\x00\x01\x00\x09\x01\xe0MTrk\xff\xff\xff\xf0'; head -c 500 /dev/urandom; } >"$folder/music2.mid"
    both_sessions "$folder"
}

row_no_audio() {
    local folder
    folder=$(both_programs)
    export SDL_AUDIODRIVER=no-such-driver
    both_sessions "$folder"
}

row_both_running() {
    local folder zpid zwin qpid qwin
    folder=$(both_programs)
    seed_store
    # Quendle closes first, Zorvat last.
    open_program "$folder/Zorvat"; zpid=$PID; zwin=$WIN
    choose_size 1
    open_program "$folder/Quendle"; qpid=$PID; qwin=$WIN
    quendle_music on
    PID=$qpid WIN=$qwin close_program
    PID=$zpid WIN=$zwin close_program
    expect_value Mirelda PanelSize 5
    expect_value Colvane Music True
    expect_value Colvane Hiscore 4321
    expect_zorvat_keys
    # Zorvat closes first, Quendle last.
    open_program "$folder/Quendle"; qpid=$PID; qwin=$WIN
    quendle_music off
    open_program "$folder/Zorvat"; zpid=$PID; zwin=$WIN
    choose_size 2
    PID=$zpid WIN=$zwin close_program
    PID=$qpid WIN=$qwin close_program
    expect_value Mirelda PanelSize 8
    expect_value Colvane Music False
    expect_value Colvane Hiscore 4321
    expect_zorvat_keys
}

row_two_copies() {
    local folder
    folder=$(both_programs)
    seed_store
    # Zorvat: each copy chooses a size; the copy closed last decides.
    open_program "$folder/Zorvat"
    choose_size 1
    open_second "$folder/Zorvat"
    WIN=$WIN2 choose_size 2
    close_program
    PID=$PID2 WIN=$WIN2 close_program
    expect_value Mirelda PanelSize 8
    expect_kept Colvane
    open_program "$folder/Zorvat"
    choose_size 3
    open_second "$folder/Zorvat"
    WIN=$WIN2 choose_size 1
    PID=$PID2 WIN=$WIN2 close_program
    close_program
    expect_value Mirelda PanelSize 10
    expect_zorvat_keys
    expect_kept Colvane

    # Quendle: one copy turns music on, the other keeps the stored off.
    seed_store
    open_program "$folder/Quendle"
    quendle_music on
    open_second "$folder/Quendle"
    close_program
    PID=$PID2 WIN=$WIN2 close_program
    expect_value Colvane Music False
    expect_kept Mirelda
    open_program "$folder/Quendle"
    quendle_music on
    open_second "$folder/Quendle"
    PID=$PID2 WIN=$WIN2 close_program
    close_program
    expect_value Colvane Music True
    expect_value Colvane Hiscore 4321
    expect_kept Mirelda
}

row_kill_while_closing() {
    local folder round delay size line
    folder=$(both_programs)
    # A large store keeps the write going long enough for some kills to land inside it.
    seed_store "[Filler]"
    awk 'BEGIN { for (i = 0; i < 30000; i++) printf "key%06d=%s\n", i, "some value that fills the file up" }' >>"$(ini)"
    for round in $(seq 10); do
        open_program "$folder/Zorvat"
        # Alternate between 8 x 8 and 5 x 5, so each close changes the stored size.
        size=$(stored Mirelda PanelSize)
        if [ "$size" == 8 ]; then choose_size 1; else choose_size 2; fi
        delay=$((RANDOM % 201))
        xdotool key F4
        sleep "$(printf '0.%03d' "$delay")"
        kill -KILL "$PID" 2>/dev/null || true
        wait "$PID" 2>/dev/null || true
        [ -f "$(ini)" ] || fail "round $round (kill after $delay ms): the store is gone"
        expect_kept Colvane
        expect_value Filler key000000 "some value that fills the file up"
        expect_value Filler key029999 "some value that fills the file up"
        local now
        now=$(stored Mirelda PanelSize)
        # Either the old size or the new one, the other of 5 and 8.
        [ "$now" == "$size" ] || [ "$now" == $((13 - size)) ] ||
            fail "round $round (kill after $delay ms): PanelSize is '$now'"
        while IFS= read -r line; do
            [[ "$line" == \[* || "$line" == PanelSize=* ]] && continue
            expect_value Mirelda "${line%%=*}" "${line#*=}"
        done <<<"$MIRELDA_KEEP"
        echo "note: round $round, kill after $delay ms: PanelSize $size -> $now"
    done
    ls -A "$XDG_CONFIG_HOME" | grep -vx Halvoria.ini | sed 's/^/note: left in the store folder: /' || true
}

# Ends the program with a signal and expects it to close as on Exit.
terminate_program() {
    kill -"$1" "$PID"
    expect_clean_exit "$PID"
}

row_terminated() {
    local folder sig
    folder=$(both_programs)
    for sig in TERM INT HUP; do
        # Zorvat in a game with the tune playing: the chosen size and the options are written.
        seed_for_zorvat Music=True Sound=True HiScore1=11
        open_program "$folder/Zorvat"
        menu_height 433
        choose_size 2
        play_zorvat
        terminate_program "$sig"
        expect_value Mirelda PanelSize 8
        expect_value Mirelda Music True
        expect_value Mirelda HiScore1 11
        expect_zorvat_keys
        expect_kept Colvane

        # Quendle with its give-up question open: the box goes, the game is not given up. The
        # game has scored, so giving it up would have stored that score as the new best.
        seed_for_quendle Music=True Hiscore=0
        open_program "$folder/Quendle"
        menu_height 293
        play_quendle
        xdotool key F3
        new_window Colvane "$WIN" >/dev/null
        terminate_program "$sig"
        expect_value Colvane Hiscore 0
        expect_value Colvane Music True
        expect_kept Mirelda
        echo "note: SIG$sig closed both programs normally"
    done
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
