#!/bin/sh
# Instructions a simulated race and a race tick, counted by callgrind: steady
# where timings on a busy machine are not. Runs `mascot-race --simulate N`
# with only the races counted. Run after building mascot-race into build/
# (MASCOT_RACE names another build of the game).
#
#   bench/race_instructions.sh [races]
set -eu
cd "$(dirname "$0")/.."
races=${1:-2000}
game=${MASCOT_RACE:-./build/mascot-race}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='simulation::SimulatedGame::PlayRace()' \
  "$game" --simulate "$races" > /dev/null 2>&1
instructions=$(callgrind_annotate "$out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
# The race tick's callers, with how often each called it: the clock's ticks.
ticks=$(callgrind_annotate --tree=caller "$out" | grep -o 'MainForm::TimeChar_Timer() ([0-9,]*x)' | tr -d ',' |
  tr -cd '0-9\n' | sort -n | tail -n 1)
echo "$races races, $ticks race-clock ticks: $((instructions / races)) instructions a race, $((instructions / ticks)) a tick (all of a race's instructions over its ticks)"
