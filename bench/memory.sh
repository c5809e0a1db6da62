#!/bin/sh
# Memory as the machine pays for it: private dirty pages (what no other
# program shares and the kernel cannot drop; /proc/PID/smaps_rollup), with
# resident size beside them, of the game against a plain Qt window
# (build/bench/plain_window) in the same run, on a private Xvfb display:
#   plain     the plain window, shown;
#   noshm     the same drawing as the game does, with QT_XCB_NO_MITSHM=1:
#             its backing store (1.6 MB at the game's size), which MIT-SHM
#             shares with the X server, then counts as private as the game's;
#   idle      the game's window, shown, no sound loaded;
#   selected  a race selected with music on: the sound loaded, the race
#             music rendered (each run starts with an empty cache);
#   playing   1.5 s into that race, the music and the start signal playing;
#   cached    the same in a second game, the music read from the cache
#             (nothing rendered in this process).
# Prints the median of the runs (default 3), then where the private dirty
# pages lie for each (kB by mapping: a library, [heap], [anon] for other
# anonymous memory such as thread stacks and other threads' heaps).
# Run after building mascot-race and plain_window into build/ (MASCOT_RACE
# names another build of the game).
#
#   bench/memory.sh [runs]
set -eu
cd "$(dirname "$0")/.."
runs=${1:-3}
scratch=$(mktemp -d)
. bench/x_session.sh
trap 'x_session_cleanup; rm -rf "$scratch"' EXIT
x_session_require
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
start_xvfb

# "private-dirty-kB resident-kB" of a process.
rollup() { awk '/^Rss:/ { r = $2 } /^Private_Dirty:/ { d = $2 } END { print d, r }' "/proc/$1/smaps_rollup"; }

# Private dirty kB by mapping name, one "name kB" a line.
by_mapping() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { n = split($6, part, "/"); name = NF >= 6 ? part[n] : "[anon]" }
       /^Private_Dirty:/ { kb[name] += $2 } END { for (name in kb) print name, kb[name] }' "/proc/$1/smaps" | LC_ALL=C sort
}

# Waits until the process has used under 2 % of a core for half a second
# (its start-up or background work is over), 15 s at most.
settle() {
  cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
  tries=0
  before=$(cpu "$1")
  while [ "$tries" -lt 30 ]; do
    sleep 0.5
    now=$(cpu "$1")
    [ $((now - before)) -le 1 ] && return 0
    before=$now
    tries=$((tries + 1))
  done
}

take() {  # stage run pid
  rollup "$3" >"$scratch/$1.$2.rollup"
  by_mapping "$3" >"$scratch/$1.$2.map"
}

# The plain window, shown and settled, as stage $1 of run $2; the rest of
# the arguments go before it (environment settings).
take_plain() {
  stage=$1 run_number=$2
  shift 2
  env -u QT_QPA_PLATFORM "$@" ./build/bench/plain_window >/dev/null 2>"$scratch/plain.err" &
  plain_pid=$!
  tries=0
  until xdotool search --onlyvisible --name 'プレーンなウィンドウ' >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -le 200 ] || { cat "$scratch/plain.err" "$scratch/xvfb.log" >&2; echo "$0: the plain window did not appear" >&2; exit 1; }
    sleep 0.05
  done
  settle "$plain_pid"
  take "$stage" "$run_number" "$plain_pid"
  kill "$plain_pid"
  wait "$plain_pid" 2>/dev/null || true
}

run=1
while [ "$run" -le "$runs" ]; do
  take_plain plain "$run"
  take_plain noshm "$run" QT_XCB_NO_MITSHM=1

  rm -rf "$scratch/cache"
  XDG_CACHE_HOME="$scratch/cache"
  export XDG_CACHE_HOME
  start_game 30000
  wait_for_window
  settle "$game_pid"
  take idle "$run" "$game_pid"
  click_race_select
  sleep 0.5
  settle "$game_pid"
  take selected "$run" "$game_pid"
  click_start
  sleep 1.5
  take playing "$run" "$game_pid"
  stop_game
  start_game 30000
  wait_for_window
  settle "$game_pid"
  click_race_select
  sleep 0.5
  settle "$game_pid"
  click_start
  sleep 1.5
  take cached "$run" "$game_pid"
  stop_game
  run=$((run + 1))
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf '%-9s %14s %14s   (MB, median of %s)\n' "" "private dirty" "resident" "$runs"
for stage in plain noshm idle selected playing cached; do
  dirty=$(cat "$scratch"/$stage.*.rollup | awk '{ print $1 }' | median)
  resident=$(cat "$scratch"/$stage.*.rollup | awk '{ print $2 }' | median)
  [ "$stage" = plain ] && plain_dirty=$dirty
  awk -v s="$stage" -v d="$dirty" -v r="$resident" -v p="$plain_dirty" \
    'BEGIN { printf "%-9s %8.1f %+5.1f %14.1f\n", s, d / 1024, (d - p) / 1024, r / 1024 }'
done

# The last run's pages by mapping, the biggest differences from the plain window first.
echo "private dirty kB by mapping (last run): plain, idle, selected, playing, cached"
for stage in plain idle selected playing cached; do cp "$scratch/$stage.$runs.map" "$scratch/$stage.map"; done
LC_ALL=C join -a 1 -a 2 -e 0 -o 0,1.2,2.2 "$scratch/plain.map" "$scratch/idle.map" >"$scratch/a"
LC_ALL=C join -a 1 -a 2 -e 0 -o 0,1.2,1.3,2.2 "$scratch/a" "$scratch/selected.map" >"$scratch/b"
LC_ALL=C join -a 1 -a 2 -e 0 -o 0,1.2,1.3,1.4,2.2 "$scratch/b" "$scratch/playing.map" >"$scratch/c"
LC_ALL=C join -a 1 -a 2 -e 0 -o 0,1.2,1.3,1.4,1.5,2.2 "$scratch/c" "$scratch/cached.map" |
  awk '{ d = $5 - $2; if (d < 0) d = -d; if ($2 + $3 + $4 + $5 + $6 >= 32) printf "%d %-32s %6d %6d %6d %6d %6d\n", d, $1, $2, $3, $4, $5, $6 }' |
  sort -n -r | cut -d' ' -f2- | head -n 25
