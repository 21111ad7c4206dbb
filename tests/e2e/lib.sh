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

# Starts Xvfb on a free display number and points DISPLAY at it.
start_xvfb() {
    local fdfile="$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" 2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
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

# The id of the visible window with exactly this title (waits up to 10 s).
find_window() {
    local title=$1 i id
    for i in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window titled $title"
}

# The n-th visible window with this title, counting from 1 (a message box is the second).
find_nth_window() {
    local title=$1 n=$2 i ids
    for i in $(seq 100); do
        ids=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true)
        if [ "$(echo "$ids" | grep -c .)" -ge "$n" ]; then
            echo "$ids" | sed -n "${n}p"
            return 0
        fi
        sleep 0.1
    done
    fail "fewer than $n windows titled $title"
}

# Without a window manager no window gets the keyboard by itself.
focus_window() {
    xdotool windowfocus --sync "$1"
}

# Waits until a process has ended (up to 10 s); fails otherwise.
wait_exit() {
    local pid=$1 i
    for i in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
        sleep 0.1
    done
    fail "process $pid did not end"
}

# Screenshot of one window (or the root) as PNG.
screenshot() {
    local window=$1 out=$2
    xwd -silent -id "$window" | /usr/bin/convert xwd:- "png:$out"
}

# Pixels of a region (WxH+X+Y) of a screenshot, as a checksum.
region() {
    /usr/bin/convert "$1" -crop "$2" +repage rgb:- | md5sum | cut -d' ' -f1
}

# The id of a visible window titled $E2E_TITLE other than the given ones (waits up to 10 s): the
# message box a game has just opened.
other_window() {
    local i id
    for i in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^${E2E_TITLE}\$" 2>/dev/null || true); do
            case " $* " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
        done
        sleep 0.1
    done
    fail "no message box appeared"
}

# Waits until the window with this id, titled $E2E_TITLE, is no longer visible.
wait_gone() {
    local i
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "^${E2E_TITLE}\$" 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    fail "window $1 stayed open"
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
