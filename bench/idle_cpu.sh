#!/bin/sh
# CPU time the game uses while it sits idle: starts it under a private Xvfb
# display, lets start-up settle, then reads its CPU time from /proc before
# and after an idle spell (30 s by default). Run after building into build/.
set -eu
cd "$(dirname "$0")/.."
idle=${1:-30}
scratch=$(mktemp -d)
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb :78 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=:78 HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" ./build/mascot-race &
game=$!
sleep 3

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
before=$(cpu_ticks)
sleep "$idle"
after=$(cpu_ticks)
awk -v b="$before" -v a="$after" -v hz="$ticks_per_second" -v s="$idle" \
  'BEGIN { printf "idle for %d s: %.3f s of CPU time (%.2f %% of a core)\n", s, (a - b) / hz, 100 * (a - b) / hz / s }'
