#!/usr/bin/env bash
# Start-up time, memory and CPU of both games under Xvfb, each as a ratio against a bare Qt window
# with a menu bar and against Debian's peer games, measured in the same run (median of $RUNS runs).
# usage: measure.sh TOP BUILD
set -euo pipefail
top=$1
build=$2
RUNS=${RUNS:-7}
# shellcheck source=../../tests/e2e/lib.sh
source "$top/tests/e2e/lib.sh"
start_xvfb
use_private_settings
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
clk=$(getconf CLK_TCK)

median() { sort -n | awk '{v[NR]=$1} END {if (NR == 0) print "nan"; else if (NR % 2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Starts a program and sets FIRST_PAINT_MS to the milliseconds from launch until its window is mapped
# and no longer one flat colour, and FIRST_PAINT_PID to its pid.
first_paint() {
    local title=$1 line
    shift
    line=$("$build/bench-tools/bench_first_paint" "$title" 20000 "$@")
    FIRST_PAINT_MS=${line%% *}
    FIRST_PAINT_PID=${line##* }
}

# The program is not a child of this shell (the timing tool started it), so wait by polling.
stop_program() {
    local i
    kill "$1" 2>/dev/null || return 0
    for i in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null || true
}

declare -A startup rss idle
programs=(bare Zorvat Quendle)
declare -A title command
title[bare]=BareWindow;  command[bare]="$build/bench-tools/bench_bare_window"
folder=$(make_program_folder "$build/bin/Zorvat" "$E2E_TMP/game")
cp "$build/bin/Quendle" "$folder/"
title[Zorvat]=Mirelda;   command[Zorvat]="$folder/Zorvat"
title[Quendle]=Colvane;  command[Quendle]="$folder/Quendle"
if command -v sgt-fifteen >/dev/null || [ -x /usr/games/sgt-fifteen ]; then
    programs+=(fifteen samegame)
    title[fifteen]=Fifteen;     command[fifteen]=/usr/games/sgt-fifteen
    title[samegame]="Same Game"; command[samegame]=/usr/games/sgt-samegame
fi

for p in "${programs[@]}"; do
    times=() rsses=() idles=()
    for _ in $(seq "$RUNS"); do
        rm -f "$XDG_CONFIG_HOME/Halvoria.ini"
        FIRST_PAINT_MS=
        first_paint "${title[$p]}" "${command[$p]}"
        pid=$FIRST_PAINT_PID
        times+=("$FIRST_PAINT_MS")
        sleep 1
        rsses+=("$(rss_kb "$pid")")
        stop_program "$pid"
    done
    startup[$p]=$(printf '%s\n' "${times[@]}" | median)
    rss[$p]=$(printf '%s\n' "${rsses[@]}" | median)
done

# CPU while idle between games, and memory and CPU during a game with music, for the two games.
declare -A game_rss game_cpu
for p in Zorvat Quendle; do
    FIRST_PAINT_MS=
    first_paint "${title[$p]}" "${command[$p]}"
    pid=$FIRST_PAINT_PID
    sleep 1
    before=$(rss_kb "$pid")
    c0=$(cpu_ticks "$pid")
    sleep 10
    c1=$(cpu_ticks "$pid")
    idle[$p]=$(awk -v d=$((c1 - c0)) -v hz="$clk" 'BEGIN {printf "%.2f", 100 * d / hz / 10}')
    id=$(find_window "${title[$p]}")
    focus_window "$id"
    xdotool key --window "$id" F2
    sleep 2
    c0=$(cpu_ticks "$pid")
    sleep 10
    c1=$(cpu_ticks "$pid")
    game_cpu[$p]=$(awk -v d=$((c1 - c0)) -v hz="$clk" 'BEGIN {printf "%.2f", 100 * d / hz / 10}')
    game_rss[$p]=$(( ($(rss_kb "$pid") - before) / 1024 ))
    stop_program "$pid"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b + 0 == 0) print "n/a"; else printf "%.2f", a / b}'; }

echo
echo "| figure | Zorvat | Quendle | bare Qt window | peer (fifteen / samegame) | ratio to bare | ratio to peer | goal |"
echo "|---|---|---|---|---|---|---|---|"
peer_z=${startup[fifteen]:-n/a} peer_q=${startup[samegame]:-n/a}
echo "| start to first paint (ms, median of $RUNS) | ${startup[Zorvat]} | ${startup[Quendle]} | ${startup[bare]} | $peer_z / $peer_q | $(ratio "${startup[Zorvat]}" "${startup[bare]}") / $(ratio "${startup[Quendle]}" "${startup[bare]}") | $(ratio "${startup[Zorvat]}" "$peer_z") / $(ratio "${startup[Quendle]}" "$peer_q") | ≤ 1.2 × bare, ≤ 0.7 × peer |"
peer_z=${rss[fifteen]:-n/a} peer_q=${rss[samegame]:-n/a}
echo "| resident memory 1 s after start (KiB) | ${rss[Zorvat]} | ${rss[Quendle]} | ${rss[bare]} | $peer_z / $peer_q | $(ratio "${rss[Zorvat]}" "${rss[bare]}") / $(ratio "${rss[Quendle]}" "${rss[bare]}") | $(ratio "${rss[Zorvat]}" "$peer_z") / $(ratio "${rss[Quendle]}" "$peer_q") | ≤ 1.3 × bare, ≤ 0.7 × peer |"
echo "| memory added by a game with music (MiB) | ${game_rss[Zorvat]} | ${game_rss[Quendle]} | | | | | ≤ 30 |"
echo "| CPU idle between games (% of a core, 10 s) | ${idle[Zorvat]} | ${idle[Quendle]} | | | | | < 0.2 |"
echo "| CPU during a game with music (% of a core, 10 s) | ${game_cpu[Zorvat]} | ${game_cpu[Quendle]} | | | | | < 3 |"
