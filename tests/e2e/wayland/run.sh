#!/usr/bin/env bash
# A game on Wayland: a headless Weston, the program on Qt's wayland platform with its desktop
# entry's name as app id, a few presses played by the scripted-input plugin (the compositor has no
# seat to script), F4 to close, and the settings file read afterwards.
# Usage: run.sh PATH/TO/PROGRAM PLUGIN_FOLDER
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib.sh
source "$here/../lib.sh"

program=${1:?usage: run.sh PROGRAM PLUGIN_FOLDER}
plugins=${2:?}
name=$(basename "$program")
use_private_settings
ini=$XDG_CONFIG_HOME/Halvoria.ini
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY

# The value of a key in a section of the settings file.
stored() {
    awk -F= -v section="[$1]" -v key="$2" \
        '/^\[/ {inside = ($0 == section)} inside && $1 == key {print $2}' "$ini"
}

case "$name" in
    Zorvat)
        # No shuffle: F2 deals a solved board, and a press on any panel completes it.
        printf '[Mirelda]\nRefreshTimes=0\n' >"$ini"
        script="key:F2;click:65,65;answer;key:F4"
        ;;
    Quendle)
        # A new game, presses along the bottom row (some group there is all but certain to go),
        # a give-up answered Yes, the best-score box, then exit.
        script="key:F2"
        for column in $(seq 0 19); do script+=";click:$((10 + column * 25 + 12)),$((10 + 9 * 25 + 12))"; done
        script+=";key:F3;answer;answer;key:F4"
        ;;
    *) fail "unknown program $name" ;;
esac

weston --backend=headless-backend.so --use-pixman --no-config --socket=halvoria-wayland \
    --idle-time=0 >"$E2E_TMP/weston.log" 2>&1 &
E2E_PIDS+=($!)
weston_listening() { [ -S "$XDG_RUNTIME_DIR/halvoria-wayland" ]; }
(wait_until "no Wayland socket" weston_listening) || fail "Weston did not start: $(cat "$E2E_TMP/weston.log")"

status=0
WAYLAND_DISPLAY=halvoria-wayland QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
    QT_PLUGIN_PATH=$plugins QT_QPA_GENERIC_PLUGINS=halvoria-scripted-input \
    HALVORIA_SCRIPTED_INPUT=$script timeout 120 "$program" >"$E2E_TMP/program.log" 2>&1 || status=$?
[ "$status" = 0 ] || fail "$name ended with status $status: $(grep -v '^\[' "$E2E_TMP/program.log" | tail -20)"

# The compositor saw the desktop entry's name as app id and the window's title.
grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"org.halvoria.$name\")" "$E2E_TMP/program.log" ||
    fail "no app id org.halvoria.$name was set"
[ -f "$ini" ] || fail "no settings file after F4"
case "$name" in
    Zorvat)
        grep -q 'xdg_toplevel@[0-9]*\.set_title("Mirelda")' "$E2E_TMP/program.log" ||
            fail "no window titled Mirelda"
        best=$(stored Mirelda HiScore1)
        [[ "$best" =~ ^[0-9]+$ ]] && [ "$best" -ge 1000 ] ||
            fail "HiScore1 is '$best', not the score of a board completed at once"
        ;;
    Quendle)
        grep -q 'xdg_toplevel@[0-9]*\.set_title("Colvane")' "$E2E_TMP/program.log" ||
            fail "no window titled Colvane"
        best=$(stored Colvane Hiscore)
        [[ "$best" =~ ^[0-9]+$ ]] && [ "$best" -gt 0 ] || fail "Hiscore is '$best' after the give-up"
        ;;
esac
echo "ok: $name played on Wayland (app id org.halvoria.$name), best score $best stored"
