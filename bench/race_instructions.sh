#!/bin/sh
# Instructions a simulated race and a race tick, counted by callgrind: steady
# where timings on a busy machine are not. Runs bench/race_split with only the
# races counted (their two halves; not the timing around them). Run after
# building race_split into build/ (RACE_SPLIT names another build of it).
#
#   bench/race_instructions.sh [races]
set -eu
cd "$(dirname "$0")/.."
races=${1:-2000}
split=${RACE_SPLIT:-./build/bench/race_split}
out=$(mktemp)
printed=$(mktemp)
trap 'rm -f "$out" "$printed"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='simulation::SimulatedGame::SelectAndStart()' \
  --toggle-collect='simulation::SimulatedGame::RunRaceClock()' "$split" "$races" 1 > "$printed" 2> /dev/null
instructions=$(callgrind_annotate "$out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
# race_split tells the ticks a race; the races are the same under callgrind.
ticks=$(sed -nE 's/.*, ([0-9.]+) ticks a race.*/\1/p' "$printed")
[ -n "$ticks" ] || { echo "race_instructions.sh: race_split printed no ticks a race" >&2; exit 1; }
awk -v i="$instructions" -v r="$races" -v t="$ticks" 'BEGIN {
  printf "%d races, %.1f race-clock ticks a race: %d instructions a race, %d a tick (all of a race'"'"'s instructions over its ticks)\n",
    r, t, i / r, i / (r * t) }'
