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
# The race clock's ticks, inlined into its loop, are counted by the background
# timer's catch-up, which the loop calls before every tick but the first of a
# race: the two tick together, and the background's tick at the moment of a
# race tick comes later in the order.
catch_ups=$(callgrind_annotate --tree=caller "$out" |
  grep -A3 -E '^ *[0-9,]+ \([ 0-9.]+%\) +< .*RunAlone<game::MainForm::RunRaceClockAlone' |
  grep -B3 -E '\* .*AddCatchUpTimer<&game::MainForm::Timer1_CatchUp' | grep -o 'RunRaceClockAlone.*([0-9,]*x)' |
  grep -o '([0-9,]*x)$' | tr -cd '0-9\n' | head -n 1)
[ -n "$catch_ups" ] || { echo "race_instructions.sh: no race clock ticks found in the profile" >&2; exit 1; }
ticks=$((catch_ups + races))
echo "$races races, $ticks race-clock ticks: $((instructions / races)) instructions a race, $((instructions / ticks)) a tick (all of a race's instructions over its ticks)"
