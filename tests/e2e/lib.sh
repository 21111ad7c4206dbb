# Shared helpers for the end-to-end tests and screenshot scripts: a private X server, a private
# settings folder, a private program folder, and ways to find the games' windows.
# Source it from bash; it sets E2E_TMP and DISPLAY and cleans up on exit.

set -euo pipefail

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/halvoria-e2e.XXXXXX")
E2E_PIDS=()

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# How long any wait for a state gives up after, in seconds. Generous, so a machine busy with other
# work only slows the tests down; a state that never comes still fails them.
E2E_WAIT=${E2E_WAIT:-60}

# Runs a command until it succeeds, polling, for up to E2E_WAIT seconds; fails with the message
# otherwise.
wait_until() {
    local message=$1
    shift
    local deadline=$((SECONDS + E2E_WAIT))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$message (waited ${E2E_WAIT} s)"
        sleep 0.05
    done
}

# Starts Xvfb on a free display number and points DISPLAY at it.
start_xvfb() {
    local fdfile="$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" 2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    wait_until "Xvfb did not start" test -s "$fdfile"
    export DISPLAY=":$(head -n1 "$fdfile")"
    export QT_QPA_PLATFORM=xcb
}

# A fresh settings folder and data folder (where the player's own pictures go), so no test reads
# or writes the user's own store or pictures.
use_private_settings() {
    export XDG_CONFIG_HOME="$E2E_TMP/config"
    mkdir -p "$XDG_CONFIG_HOME"
    export XDG_DATA_HOME="$E2E_TMP/data"
    export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
}

# Copies a built program, the media beside it and the media module into a new program folder;
# prints the folder.
make_program_folder() {
    local program=$1 folder=${2:-$E2E_TMP/game}
    mkdir -p "$folder"
    cp "$program" "$folder/"
    local media
    for media in music.mid music2.mid 'poka!.wav' halvoria-media.so; do
        [ -f "$(dirname "$program")/$media" ] && cp "$(dirname "$program")/$media" "$folder/"
    done
    echo "$folder"
}

# Starts a program in the background; its pid is in E2E_LAST_PID.
start_program() {
    "$@" >"$E2E_TMP/program.log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
}

# The ids of the visible windows with exactly this title, one a line.
visible_windows() {
    xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null || true
}

# The id of the visible window with exactly this title (waits for it).
find_window() {
    local title=$1
    wait_until "no window titled $title" has_window "$title"
    visible_windows "$title" | head -n1
}
has_window() { [ -n "$(visible_windows "$1")" ]; }

# The n-th visible window with this title, counting from 1 (a message box is the second).
find_nth_window() {
    local title=$1 n=$2
    wait_until "fewer than $n windows titled $title" has_windows "$title" "$n"
    visible_windows "$title" | sed -n "${n}p"
}
has_windows() { [ "$(visible_windows "$1" | grep -c .)" -ge "$2" ]; }

# Without a window manager no window gets the keyboard by itself.
focus_window() {
    xdotool windowfocus --sync "$1"
}

# Waits until a process has ended; fails otherwise.
wait_exit() {
    local pid=$1
    wait_until "process $pid did not end" process_gone "$pid"
    wait "$pid" 2>/dev/null || true
}
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# Screenshot of one window (or the root) as PNG.
screenshot() {
    local window=$1 out=$2
    xwd -silent -id "$window" | /usr/bin/convert xwd:- "png:$out"
}

# Pixels of a region (WxH+X+Y) of a screenshot, as a checksum.
region() {
    /usr/bin/convert "$1" -crop "$2" +repage rgb:- | md5sum | cut -d' ' -f1
}

# The id of a visible window titled $E2E_TITLE other than the given ones (waits for it): the
# message box a game has just opened.
other_window() {
    wait_until "no message box appeared" other_window_now "$@"
    other_window_now "$@"
}
other_window_now() {
    local id
    for id in $(visible_windows "$E2E_TITLE"); do
        case " $* " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
    done
    return 1
}

# Waits until the window with this id, titled $E2E_TITLE, is no longer visible.
wait_gone() {
    wait_until "window $1 stayed open" window_gone "$1"
}
window_gone() { ! visible_windows "$E2E_TITLE" | grep -qx "$1"; }

# Takes screenshots of a window into a file until the region (WxH+X+Y) differs from a checksum
# (op !=) or equals it (op =); fails with the message when that does not happen in time.
wait_region() {
    local window=$1 out=$2 crop=$3 op=$4 reference=$5 message=$6
    wait_until "$message" region_is "$window" "$out" "$crop" "$op" "$reference"
}
region_is() {
    local now
    screenshot "$1" "$2" 2>/dev/null || return 1
    now=$(region "$2" "$3")
    if [ "$4" == "=" ]; then [ "$now" == "$5" ]; else [ "$now" != "$5" ]; fi
}

# Waits until a window shows more than one colour and two screenshots in a row agree: it has
# painted its first picture. The last screenshot is left in the file.
wait_painted() {
    local window=$1 out=$2
    E2E_LAST_SHOT=
    wait_until "window $window never painted" painted "$window" "$out"
}
painted() {
    local sum colours
    screenshot "$1" "$2" 2>/dev/null || return 1
    colours=$(/usr/bin/convert "$2" -format '%k' info:)
    [ "$colours" -gt 1 ] || return 1
    # The pixels, not the file: a PNG also holds the time it was written.
    sum=$(/usr/bin/convert "$2" rgb:- | md5sum)
    [ "$sum" == "$E2E_LAST_SHOT" ] && return 0
    E2E_LAST_SHOT=$sum
    return 1
}

# The screen with every visible window (the game, an open menu, a message box) pasted at its
# place, bottom to top, optionally cropped (WxH+X+Y): a root-window capture leaves popups and
# dialogs black without a compositor, while each window captured by itself is complete.
screen_shot() {
    local out=$1 crop=${2:-1024x768+0+0} visible id geometry args=()
    visible=" $(xdotool search --onlyvisible --name '.*' 2>/dev/null | tr '\n' ' ') "
    # xwininfo lists the children of the root from the top of the stack down.
    while read -r id geometry; do
        [[ "$visible" == *" $((id)) "* ]] || continue
        xwd -silent -id "$id" | /usr/bin/convert xwd:- "png:$E2E_TMP/window-$id.png"
        args=("$E2E_TMP/window-$id.png" -geometry "+${geometry#*+}" -composite "${args[@]}")
    done < <(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .* \([0-9]*x[0-9]*+[0-9-]*+[0-9-]*\) .*/\1 \2/p')
    /usr/bin/convert -size 1024x768 xc:black "${args[@]}" -crop "$crop" +repage "png:$out"
}
