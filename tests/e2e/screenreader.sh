#!/usr/bin/env bash
# End-to-end run of both games with a real screen-reader client: AT-SPI through pyatspi, on a
# private session bus under Xvfb. Starts each game through its menu's accessible action, plays by
# keys and reads every result from the board's accessible description, its cells and the
# counters' names, as Orca would.
# Usage: screenreader.sh PATH/TO/Zorvat PATH/TO/Quendle
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The accessibility bus hangs off a session bus; a private one keeps the test to itself.
if [ -z "${HALVORIA_OWN_SESSION_BUS:-}" ]; then
    exec env HALVORIA_OWN_SESSION_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

# shellcheck source=lib.sh
source "$here/lib.sh"
zorvat=${1:?usage: screenreader.sh PATH/TO/Zorvat PATH/TO/Quendle}
quendle=${2:?usage: screenreader.sh PATH/TO/Zorvat PATH/TO/Quendle}

start_xvfb
use_private_settings
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
folder=$(make_program_folder "$zorvat")
make_program_folder "$quendle" "$folder" >/dev/null
# Zorvat starts solved, so its moves are known in advance.
printf '[Mirelda]\nRefreshTimes=0\nMusic=False\n[Colvane]\nMusic=False\n' >"$XDG_CONFIG_HOME/Halvoria.ini"

# Debian's own interpreter, which has the pyatspi package.
/usr/bin/python3 "$here/screenreader.py" "$folder"
grep -Eqx 'HiScore1=[1-9][0-9]*' "$XDG_CONFIG_HOME/Halvoria.ini" || fail "Zorvat's best score was not stored"
echo "screen reader: both games read and played"
