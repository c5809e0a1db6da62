#!/bin/sh
# CPU of the game as it is played: the real window under a private Xvfb
# display, driven with clicks (xdotool), music on, SDL's dummy audio driver
# unless SDL_AUDIODRIVER says otherwise. Reports
#   - the CPU share idle and while a race runs, split by thread (the window's
#     thread paints and runs the race tick; SDLAudio plays the music), with
#     the wake-ups a second;
#   - resident memory idle and in play (bench/memory.sh tells the memory the
#     machine cannot take back, against a plain Qt window);
#   - with --profile, where the window's thread spends its time during the
#     race, by perf; perf's sampling then adds its own cost (some 0.8 % of
#     a core) to the CPU figures, so they are measured without it by default.
# Run after building mascot-race into build/ (or name another build of it in
# MASCOT_RACE).
#
#   bench/play.sh [seconds measured, default 8] [--profile]
#
# The race is measured from 1 s after Start for that many seconds; races last
# 10 s at the least (build/bench/race_pace), so keep it at 8 or below.
set -eu
cd "$(dirname "$0")/.."
span=8
profile=""
for argument in "$@"; do
  case $argument in
    --profile) profile=yes ;;
    *) span=$argument ;;
  esac
done
[ "$span" -le 8 ] || echo "$0: warning: a race may end within $((span + 1)) s of its start" >&2
scratch=$(mktemp -d)
. bench/x_session.sh
trap 'x_session_cleanup; rm -rf "$scratch"' EXIT
x_session_require
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
export XDG_CACHE_HOME="$scratch/cache"

start_xvfb
start_game 30000
wait_for_window
sleep 2  # the first paints and the start-up work are over

idle_kb=$(resident_kb)
game_threads >"$scratch/idle.before"
sleep "$span"
game_threads >"$scratch/idle.after"

click_race_select
# The race music is rendered in the background (the cache is empty): the
# game is quiet again once it is in.
tries=0
until ls "$scratch"/cache/mascot-race/music-*.wav >/dev/null 2>&1; do
  tries=$((tries + 1))
  [ "$tries" -le 200 ] || { echo "$0: the race music was not rendered" >&2; exit 1; }
  sleep 0.05
done
click_start
sleep 1  # the race is under way, the music and the start signal playing

game_threads >"$scratch/race.before"
peak_kb=$(resident_kb)
if [ -n "$profile" ] && command -v perf >/dev/null 2>&1 && perf record -q -o "$scratch/perf.data" -t "$game_pid" -- sleep "$span" >/dev/null 2>&1; then
  profiled=yes
else
  profiled=""
  sleep "$span"
fi
game_threads >"$scratch/race.after"
now_kb=$(resident_kb)
[ "$now_kb" -gt "$peak_kb" ] && peak_kb=$now_kb

# CPU share and wake-ups a second between two lists of threads: the whole
# game, then (with "by-thread") each thread that ran.
usage() {
  join "$1" "$2" | awk -v s="$span" -v each="${3:-}" -v main="$game_pid" '
    { ns = $5 - $2; wakes = $6 - $3; total += ns; if ($1 == main) main_wakes = wakes
      if (each != "" && ns > 0) printf "  %-16s %.2f %% of a core, %.0f wake-ups a second\n", $4, 100 * ns / 1e9 / s, wakes / s }
    END { if (each == "") printf "%.2f %% of a core over %s s (window thread: %.0f wake-ups a second)", 100 * total / 1e9 / s, s, main_wakes / s }'
}
awk -v i="$idle_kb" -v p="$peak_kb" 'BEGIN { printf "resident: idle %.1f MB, in play %.1f MB (race started, music on)\n", i / 1024, p / 1024 }'
echo "CPU idle:   $(usage "$scratch/idle.before" "$scratch/idle.after")"
echo "CPU racing: $(usage "$scratch/race.before" "$scratch/race.after"), by thread:"
usage "$scratch/race.before" "$scratch/race.after" by-thread
if [ -n "$profiled" ]; then
  # Our code, Qt's painting and text, the kernel and X, for the window's thread only.
  echo "the window's thread during the race, by library:"
  perf report -i "$scratch/perf.data" --tid "$game_pid" --sort dso --stdio 2>/dev/null |
    awk '/^ +[0-9.]+%/ { print "  " $0; if (++n == 8) exit }'
fi
