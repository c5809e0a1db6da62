#!/bin/sh
# Memory and CPU of the game as it is played: the real window under a
# private Xvfb display, driven with clicks (xdotool), music on, SDL's dummy
# audio driver unless SDL_AUDIODRIVER says otherwise. Reports
#   - resident memory idle (window shown) and in play (a race started with
#     music on, the sound system loaded);
#   - CPU share idle and while a race runs, split by thread (the window's
#     thread paints and runs the race tick; SDLAudio renders the music);
#   - with perf, where the window's thread spends its time during the race.
# Run after building mascot-race into build/ (or name another build of it in
# MASCOT_RACE).
#
#   bench/play.sh [seconds measured, default 8]
#
# The race is measured from 1 s after Start for that many seconds; races last
# 10 s at the least (build/bench/race_pace), so keep it at 8 or below.
set -eu
cd "$(dirname "$0")/.."
span=${1:-8}
[ "$span" -le 8 ] || echo "$0: warning: a race may end within $((span + 1)) s of its start" >&2
scratch=$(mktemp -d)
. bench/x_session.sh
trap 'x_session_cleanup; rm -rf "$scratch"' EXIT
x_session_require
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
hz=$(getconf CLK_TCK)

start_xvfb
start_game 30000
wait_for_window
sleep 2  # the first paints and the start-up work are over

idle_kb=$(resident_kb)
before=$(cpu_ticks)
sleep "$span"
idle_ticks=$(($(cpu_ticks) - before))

click_race_select
# The sound system starts in the background: the device opens (SDL's audio
# thread appears), then the soundfont is read.
sound_thread() { grep -l SDLAudio /proc/"$game_pid"/task/*/comm >/dev/null 2>&1; }
tries=0
until sound_thread; do
  tries=$((tries + 1))
  [ "$tries" -le 100 ] || { echo "$0: the sound system did not start" >&2; exit 1; }
  sleep 0.05
done
sleep 1
click_start
sleep 1  # the race is under way, the tune's instruments are in

threads() { for task in /proc/"$game_pid"/task/*; do printf '%s %s %s\n' "${task##*/}" "$(thread_ticks "${task##*/}")" "$(tr ' ' '_' <"$task/comm")"; done; }
threads >"$scratch/threads.before"
before=$(cpu_ticks)
peak_kb=$(resident_kb)
if command -v perf >/dev/null 2>&1 && perf record -q -o "$scratch/perf.data" -t "$game_pid" -- sleep "$span" >/dev/null 2>&1; then
  profiled=yes
else
  profiled=""
  sleep "$span"
fi
race_ticks=$(($(cpu_ticks) - before))
threads >"$scratch/threads.after"
now_kb=$(resident_kb)
[ "$now_kb" -gt "$peak_kb" ] && peak_kb=$now_kb

share() { awk -v t="$1" -v hz="$hz" -v s="$span" 'BEGIN { printf "%.2f %% of a core", 100 * t / hz / s }'; }
awk -v i="$idle_kb" -v p="$peak_kb" 'BEGIN { printf "resident: idle %.1f MB, in play %.1f MB (race started, music on)\n", i / 1024, p / 1024 }'
echo "CPU idle:   $(share "$idle_ticks") over $span s"
echo "CPU racing: $(share "$race_ticks") over $span s, by thread:"
join "$scratch/threads.before" "$scratch/threads.after" | awk -v hz="$hz" -v s="$span" \
  '{ t = $4 - $2; if (t > 0) printf "  %-16s %.2f %% of a core\n", $3, 100 * t / hz / s }'
if [ -n "$profiled" ]; then
  # Our code, Qt's painting and text, the kernel and X, for the window's thread only.
  echo "the window's thread during the race, by library:"
  perf report -i "$scratch/perf.data" --tid "$game_pid" --sort dso --stdio 2>/dev/null |
    awk '/^ +[0-9.]+%/ { print "  " $0; if (++n == 8) exit }'
fi
