#!/usr/bin/env bash
# A game at the edges a Linux program has: --help and --version answer without a display, no
# display at all is one line and status 1, other arguments are ignored, the window's X11 class is
# the one its desktop entry names, and started through a link from another folder (as from
# /usr/games) it still finds its sound module and tune beside its real place.
# Usage: command-line.sh PATH/TO/PROGRAM VERSION DESKTOP_ENTRY TITLE
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"

program=${1:?usage: command-line.sh PROGRAM VERSION DESKTOP_ENTRY TITLE}
version=${2:?}
entry=${3:?}
E2E_TITLE=${4:?}
name=$(basename "$program")
out=$E2E_TMP/out
err=$E2E_TMP/err
mkdir -p "$E2E_TMP/runtime"
chmod 700 "$E2E_TMP/runtime"

# Runs the program with no display of any kind; sets $status.
without_display() {
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_TMP/runtime" \
        "$@" >"$out" 2>"$err" || status=$?
}

for option in --help -h; do
    without_display "$program" "$option"
    [ "$status" = 0 ] || fail "$option ended with status $status: $(cat "$err")"
    grep -q "^Usage: .*$name" "$out" || fail "$option printed no usage line: $(cat "$out")"
    grep -q -- '--version' "$out" || fail "$option does not list --version"
    [ ! -s "$err" ] || fail "$option wrote to standard error: $(cat "$err")"
done
for option in --version -v; do
    without_display "$program" "$option"
    [ "$status" = 0 ] || fail "$option ended with status $status"
    [ "$(cat "$out")" = "$name $version" ] || fail "$option printed '$(cat "$out")'"
done

# No display at all, or one that cannot be reached: one line on standard error, status 1.
without_display "$program"
[ "$status" = 1 ] || fail "without a display the status is $status, not 1"
[ "$(wc -l <"$err")" = 1 ] || fail "without a display it said more than one line: $(cat "$err")"
grep -q "^$name: .*DISPLAY" "$err" || fail "the no-display line is '$(cat "$err")'"
without_display env DISPLAY=:59999 "$program" --unknown-option
[ "$status" = 1 ] || fail "with an unreachable display the status is $status, not 1"
[ "$(wc -l <"$err")" = 1 ] || fail "with an unreachable display it said: $(cat "$err")"
grep -q "^$name: .*\":59999\"" "$err" || fail "the unreachable-display line is '$(cat "$err")'"

# A real display: started through a link in another folder, with arguments it ignores.
start_xvfb
use_private_settings
folder=$(make_program_folder "$program")
mkdir -p "$E2E_TMP/games"
link=$E2E_TMP/games/$(tr '[:upper:]' '[:lower:]' <<<"$name")
ln -s "$folder/$name" "$link"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$E2E_TMP/audio.raw
start_program "$link" --unknown-option -reverse stray
pid=$E2E_LAST_PID
win=$(find_window "$E2E_TITLE")

# The X11 class is the entry's StartupWMClass.
class=$(xprop -id "$win" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
wmclass=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$class" ] && [ "$class" = "$wmclass" ] ||
    fail "the window's class is '$class', the desktop entry names '$wmclass'"

# A new game starts the tune: the module and music file come from the program's real folder.
focus_window "$win"
xdotool key F2
sounding() {
    [ -s "$SDL_DISKAUDIOFILE" ] && [ "$(tr -d '\0' <"$SDL_DISKAUDIOFILE" | head -c 1 | wc -c)" = 1 ]
}
wait_until "no tune through the link" sounding
focus_window "$win"
xdotool key F4
wait_until "F4 did not end the program" process_gone "$pid"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "F4 ended the program with status $status"
echo "ok: $name answers --help and --version, says when there is no display, class $class"
