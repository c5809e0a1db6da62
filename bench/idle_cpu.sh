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

# Xvfb picks a free display and names it once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
tries=0
while [ ! -s "$scratch/display" ] && [ "$tries" -lt 300 ]; do sleep 0.1; tries=$((tries + 1)); done
DISPLAY=":$(head -n 1 "$scratch/display")"
export DISPLAY
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" ./build/mascot-race &
game=$!
# Start-up is over once the window is viewable; then a second for it to settle.
tries=0
until xwininfo -name "こまめ堂マスコットレース" 2>/dev/null | grep -q IsViewable || [ "$tries" -ge 300 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
sleep 1

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
before=$(cpu_ticks)
sleep "$idle"
after=$(cpu_ticks)
awk -v b="$before" -v a="$after" -v hz="$ticks_per_second" -v s="$idle" \
  'BEGIN { printf "idle for %d s: %.3f s of CPU time (%.2f %% of a core)\n", s, (a - b) / hz, 100 * (a - b) / hz / s }'
