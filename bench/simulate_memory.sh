#!/bin/sh
# Peak memory of --simulate against the number of races, with the time each
# run took: the high-water mark of resident memory (VmHWM) and the most
# private dirty pages seen (/proc/PID/smaps_rollup), both read every 0.1 s
# while the run lasts. Memory that stays flat shows the same figures at every
# size. A million races take some six seconds of one core.
# Run after building mascot-race into build/ (MASCOT_RACE names another build).
#
#   bench/simulate_memory.sh [--jobs K] [N ...]     (default: 100000 1000000 10000000)
set -eu
cd "$(dirname "$0")/.."
game=${MASCOT_RACE:-./build/mascot-race}
jobs=1
if [ "${1:-}" = --jobs ]; then
  jobs=$2
  shift 2
fi
[ $# -gt 0 ] || set -- 100000 1000000 10000000

# The larger of the two kB figures.
larger() { [ -n "$2" ] && [ "$2" -gt "$1" ] && echo "$2" || echo "$1"; }

printf '%12s %5s %14s %24s %10s\n' races jobs "peak RSS (MB)" "peak private dirty (MB)" seconds
for races in "$@"; do
  started=$(date +%s.%N)
  "$game" --simulate "$races" --jobs "$jobs" >/dev/null &
  pid=$!
  resident=0 dirty=0
  while [ -r "/proc/$pid/smaps_rollup" ] && [ "$(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null)" != Z ]; do
    resident=$(larger "$resident" "$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)")
    dirty=$(larger "$dirty" "$(awk '/^Private_Dirty:/ { print $2 }' "/proc/$pid/smaps_rollup" 2>/dev/null || true)")
    sleep 0.1
  done
  wait "$pid"
  ended=$(date +%s.%N)
  awk -v n="$races" -v j="$jobs" -v r="$resident" -v d="$dirty" -v s="$started" -v e="$ended" \
    'BEGIN { printf "%12d %5d %14.1f %24.1f %10.1f\n", n, j, r / 1024, d / 1024, e - s }'
done
